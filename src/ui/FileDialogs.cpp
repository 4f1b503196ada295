#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

void setUp(QFileDialog &dialog, const QString &path, const QString &pattern, const QString &description)
{
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
