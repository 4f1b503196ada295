#include "charts/PictureFile.h"

#include "files/SafeSave.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QDir>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(PictureFile)
};

} // namespace

namespace PictureFile {

namespace {

bool isBmp(const QString &name)
{
    return name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
}

} // namespace

QString DialogFilter()
{
    return Texts::tr("Изображение PNG (*.png);;Рисунок BMP (*.bmp)");
}

QString FileName(const QString &chosen, const QString &filter)
{
    if (chosen.isEmpty() || chosen.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) || isBmp(chosen))
        return chosen;
    return chosen + (filter.contains(QStringLiteral("*.bmp")) ? QStringLiteral(".bmp") : QStringLiteral(".png"));
}

bool Save(const QImage &image, const QString &path, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, isBmp(path) ? "BMP" : "PNG")) {
        if (error)
            *error = Texts::tr("Не удалось сохранить изображение «%1»: рисунок не удалось закодировать.").arg(shown);
        return false;
    }
    QString why;
    if (!SafeSave::WriteFile(path, bytes, &why)) {
        if (error)
            *error = Texts::tr("Не удалось сохранить изображение «%1»: %2.").arg(shown, why);
        return false;
    }
    return true;
}

} // namespace PictureFile
