#include "core/FileErrors.h"

#include <QDir>
#include <QFileInfo>

QString FileErrorText(const QFileDevice &file, const QString &path, bool writing)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        if (!folder.exists())
            return QStringLiteral("папка «%1» не существует").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
        if (info.isDir())
            return QStringLiteral("с этим именем уже есть папка");
        if (writing && info.exists() && !info.isWritable())
            return QStringLiteral("файл защищен от записи");
        if (writing && !folder.isWritable())
            return QStringLiteral("нет прав на запись в папку «%1»").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
        if (!writing && !info.exists())
            return QStringLiteral("файл не существует");
        if (!writing && !info.isReadable())
            return QStringLiteral("нет прав на чтение файла");
        return QStringLiteral("файл не удалось открыть (он может быть занят другой программой)");
    case QFileDevice::WriteError:
        return QStringLiteral("ошибка записи (возможно, диск заполнен)");
    case QFileDevice::ResourceError:
        return QStringLiteral("не хватает места на диске или системных ресурсов");
    case QFileDevice::ReadError:
        return QStringLiteral("ошибка чтения файла");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
    case QFileDevice::RemoveError:
        return QStringLiteral("не удалось заменить прежний файл");
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
    return QStringLiteral("ошибка ввода-вывода");
}
