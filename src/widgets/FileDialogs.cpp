#include "widgets/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>

namespace {

// The file list with its sizes and dates written the Russian way ("1,9 КБ", "10.12.2026
// 16:49"), whatever locale the system runs in.
class RussianFileList final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        switch (index.column()) {
        case 1:
            return files->isDir(source) ? QString() : sizeText(files->size(source));
        case 3:
            return russian.toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

private:
    static QString sizeText(qint64 bytes)
    {
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        static const char16_t *const units[] = {u"КБ", u"МБ", u"ГБ", u"ТБ"};
        if (bytes < 1024)
            return QStringLiteral("%1 байт").arg(bytes);
        double value = double(bytes) / 1024.0;
        int unit = 0;
        while (value >= 1024.0 && unit < 3) {
            value /= 1024.0;
            ++unit;
        }
        return russian.toString(value, 'f', value < 10 ? 1 : 0) + u' ' + QString::fromUtf16(units[unit]);
    }
};

void setUp(QFileDialog &dialog, const QString &path, const QString &pattern, const QString &description)
{
    dialog.setProxyModel(new RussianFileList(&dialog));
    dialog.setNameFilters({description, QStringLiteral("Все файлы (*)")});
    QString suffix = pattern;
    suffix.remove(QStringLiteral("*."));
    dialog.setDefaultSuffix(suffix);
    if (!path.isEmpty()) {
        dialog.setDirectory(QFileInfo(path).absolutePath());
        dialog.selectFile(QFileInfo(path).fileName());
    } else {
        dialog.setDirectory(QDir::currentPath());
    }
}

} // namespace

void ShowOpenDialog(QWidget *owner, QString &path, const QString &pattern, const QString &description, const QString &title)
{
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    setUp(dialog, path, pattern, description);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            path.clear();
            return;
        }
        const QString chosen = dialog.selectedFiles().constFirst();
        if (QFileInfo::exists(chosen)) {
            path = chosen;
            return;
        }
        const auto answer = QMessageBox::question(
            owner, title,
            QStringLiteral("Файл «%1» не существует.\nСоздать этот файл?").arg(QDir::toNativeSeparators(chosen)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            path = chosen;
            return;
        }
    }
}

void ShowSaveDialog(QWidget *owner, QString &path, const QString &pattern, const QString &description, const QString &title)
{
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    setUp(dialog, path, pattern, description);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        path.clear();
        return;
    }
    path = dialog.selectedFiles().constFirst();
}
