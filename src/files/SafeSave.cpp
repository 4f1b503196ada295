#include "files/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeSave {

namespace {

struct Injection
{
    Step step = Step::None;
    int code = 0;
    qint64 bytesBefore = 0;
};

Injection &injection()
{
    static Injection i;
    return i;
}

bool injected(Step step)
{
    if (injection().step != step)
        return false;
    errno = injection().code;
    return true;
}

// The file a save really replaces: a symbolic link is followed, so that the link stays.
QString targetOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// Creates a new, empty file beside the target; -1 with errno set when that fails.
int createTemporary(const QString &folder, QByteArray &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QDir(folder).filePath(
            QStringLiteral(".palvex-save-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        name = QFile::encodeName(candidate);
        if (injected(Step::Create))
            return -1;
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes everything, going on after a short write; false with errno set on failure.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    if (injection().step == Step::Write) {
        // The injected failure lets the first bytes through, as a disk that fills up does.
        const qint64 first = std::min(left, injection().bytesBefore);
        if (first > 0 && ::write(fd, p, size_t(first)) != first)
            return false;
        errno = injection().code;
        return false;
    }
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

QString SystemReason(int code)
{
    switch (code) {
    case ENOSPC:
        return QStringLiteral("на диске недостаточно места");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("исчерпана дисковая квота");
#endif
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на запись в эту папку или в этот файл");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    case ENOENT:
        return QStringLiteral("папка не найдена");
    case ENOTDIR:
        return QStringLiteral("часть пути не является папкой");
    case EISDIR:
        return QStringLiteral("под этим именем уже есть папка");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя файла");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода при записи на диск");
    case EFBIG:
        return QStringLiteral("файл слишком велик для этого диска");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("файл занят другой программой");
    case ELOOP:
        return QStringLiteral("слишком много символических ссылок в пути");
    case EINVAL:
        return QStringLiteral("недопустимое имя файла");
    default:
        return QStringLiteral("системная ошибка № %1").arg(code);
    }
}

void InjectFailure(Step step, int code, qint64 bytesBefore)
{
    injection() = Injection{step, code, bytesBefore};
}

bool WriteFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    auto fail = [reason](int code) {
        if (reason)
            *reason = SystemReason(code);
        return false;
    };
    if (path.isEmpty())
        return fail(ENOENT);
    const QString target = targetOf(path);
    const QFileInfo info(target);
    if (info.isDir())
        return fail(EISDIR);
    const QByteArray targetName = QFile::encodeName(target);
    // A file the user may not write keeps its contents, although the folder would allow a rename.
    if (::access(targetName.constData(), F_OK) == 0 && ::access(targetName.constData(), W_OK) != 0)
        return fail(errno);

    QByteArray temporary;
    const int fd = createTemporary(info.absolutePath(), temporary);
    if (fd < 0)
        return fail(errno);
    auto abandon = [&](int code, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temporary.constData());
        return fail(code);
    };
    // The new file keeps the permissions of the one it replaces.
    struct stat old;
    if (::stat(targetName.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    if (!writeAll(fd, bytes))
        return abandon(errno, true);
    // The data must be on the disk before the name points at it; a file system that cannot
    // sync (EINVAL) has nothing to flush.
    if (injected(Step::Flush) || (::fsync(fd) != 0 && errno != EINVAL))
        return abandon(errno, true);
    if (injected(Step::Close)) {
        const int code = errno;
        ::close(fd);
        return abandon(code, false);
    }
    if (::close(fd) != 0)
        return abandon(errno, false);
    if (injected(Step::Rename) || ::rename(temporary.constData(), targetName.constData()) != 0)
        return abandon(errno, false);
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace SafeSave
