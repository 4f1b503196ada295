#include "widgets/FileDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(FileDialogs)
};

} // namespace

namespace {

// The file list with its sizes and dates written the way of the program's language ("1,9 КБ",
// "10.12.2026 16:49" in Russian), whatever locale the system runs in.
class LocalFileList final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale local = programLocale();
        switch (index.column()) {
        case 1:
            return files->isDir(source) ? QString() : sizeText(files->size(source));
        case 3:
            return local.toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

private:
    // English where the program speaks English, else Russian.
    static QLocale programLocale()
    {
        return QLocale().language() == QLocale::English ? QLocale() : QLocale(QLocale::Russian, QLocale::Russia);
    }
    static QString sizeText(qint64 bytes)
    {
        const QLocale local = programLocale();
        const QString units[] = {Texts::tr("КБ"), Texts::tr("МБ"), Texts::tr("ГБ"), Texts::tr("ТБ")};
        if (bytes < 1024)
            return Texts::tr("%1 байт").arg(bytes);
        double value = double(bytes) / 1024.0;
        int unit = 0;
        while (value >= 1024.0 && unit < 3) {
            value /= 1024.0;
            ++unit;
        }
        return local.toString(value, 'f', value < 10 ? 1 : 0) + u' ' + units[unit];
    }
};

void setUp(QFileDialog &dialog, const QString &path, const QString &pattern, const QString &description)
{
    dialog.setProxyModel(new LocalFileList(&dialog));
    dialog.setNameFilters({description, Texts::tr("Все файлы (*)")});
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
            Texts::tr("Файл «%1» не существует.\nСоздать этот файл?").arg(QDir::toNativeSeparators(chosen)),
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
