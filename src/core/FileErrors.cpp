#include "core/FileErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(FileErrors)
};

} // namespace

QString FileErrorText(const QFileDevice &file, const QString &path, bool writing)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        if (!folder.exists())
            return Texts::tr("папка «%1» не существует").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
        if (info.isDir())
            return Texts::tr("с этим именем уже есть папка");
        if (writing && info.exists() && !info.isWritable())
            return Texts::tr("файл защищен от записи");
        if (writing && !folder.isWritable())
            return Texts::tr("нет прав на запись в папку «%1»").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
        if (!writing && !info.exists())
            return Texts::tr("файл не существует");
        if (!writing && !info.isReadable())
            return Texts::tr("нет прав на чтение файла");
        return Texts::tr("файл не удалось открыть (он может быть занят другой программой)");
    case QFileDevice::WriteError:
        return Texts::tr("ошибка записи (возможно, диск заполнен)");
    case QFileDevice::ResourceError:
        return Texts::tr("не хватает места на диске или системных ресурсов");
    case QFileDevice::ReadError:
        return Texts::tr("ошибка чтения файла");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
    case QFileDevice::RemoveError:
        return Texts::tr("не удалось заменить прежний файл");
    case QFileDevice::NoError:
    case QFileDevice::FatalError:
    case QFileDevice::AbortError:
    case QFileDevice::TimeOutError:
    case QFileDevice::UnspecifiedError:
    case QFileDevice::ResizeError:
    case QFileDevice::PositionError:
    default:
        break;
    }
    return Texts::tr("ошибка ввода-вывода");
}
