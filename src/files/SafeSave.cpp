#include "files/SafeSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SafeSave)
};

} // namespace
#ifdef Q_OS_WIN
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <io.h>
#  include <windows.h>
#else
#  include <unistd.h>
#endif

namespace {

// The few file calls a safe save needs, each setting errno on failure, on POSIX systems and on
// Windows (whose C runtime knows errno too).
namespace Native {

#ifdef Q_OS_WIN

using Name = std::wstring;

Name name(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

int createNew(const Name &n)
{
    return ::_wopen(n.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

qint64 write(int fd, const char *p, qint64 n)
{
    return ::_write(fd, p, unsigned(std::min<qint64>(n, INT_MAX)));
}

int sync(int fd)
{
    return ::_commit(fd);
}

int close(int fd)
{
    return ::_close(fd);
}

void remove(const Name &n)
{
    ::_wunlink(n.c_str());
}

bool exists(const Name &n)
{
    return ::_waccess(n.c_str(), 0) == 0;
}

bool writable(const Name &n)
{
    return ::_waccess(n.c_str(), 2) == 0;
}

// Windows keeps no permission bits beyond read-only, which a file we may replace never has.
void keepPermissions(const Name &, int)
{
}

int errnoOf(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
        return EINVAL;
    default:
        return EIO;
    }
}

// Replaces `to` by `from` in one step, written through to the disk.
int rename(const Name &from, const Name &to)
{
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    errno = errnoOf(::GetLastError());
    return -1;
}

// MOVEFILE_WRITE_THROUGH has already flushed the rename.
void syncFolder(const QString &)
{
}

#else

using Name = QByteArray;

Name name(const QString &path)
{
    return QFile::encodeName(path);
}

int createNew(const Name &n)
{
    return ::open(n.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

qint64 write(int fd, const char *p, qint64 n)
{
    return ::write(fd, p, size_t(n));
}

int sync(int fd)
{
    return ::fsync(fd);
}

int close(int fd)
{
    return ::close(fd);
}

void remove(const Name &n)
{
    ::unlink(n.constData());
}

bool exists(const Name &n)
{
    return ::access(n.constData(), F_OK) == 0;
}

bool writable(const Name &n)
{
    return ::access(n.constData(), W_OK) == 0;
}

// The new file keeps the permissions of the one it replaces.
void keepPermissions(const Name &target, int fd)
{
    struct stat old;
    if (::stat(target.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
}

int rename(const Name &from, const Name &to)
{
    return ::rename(from.constData(), to.constData());
}

// The rename itself reaches the disk with the folder.
void syncFolder(const QString &folder)
{
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

#endif

} // namespace Native

} // namespace

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
int createTemporary(const QString &folder, Native::Name &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QDir(folder).filePath(
            QStringLiteral(".palvex-save-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        name = Native::name(candidate);
        if (injected(Step::Create))
            return -1;
        const int fd = Native::createNew(name);
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
        if (first > 0 && Native::write(fd, p, first) != first)
            return false;
        errno = injection().code;
        return false;
    }
    while (left > 0) {
        const qint64 n = Native::write(fd, p, left);
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
        return Texts::tr("на диске недостаточно места");
#ifdef EDQUOT
    case EDQUOT:
        return Texts::tr("исчерпана дисковая квота");
#endif
    case EACCES:
    case EPERM:
        return Texts::tr("нет прав на запись в эту папку или в этот файл");
    case EROFS:
        return Texts::tr("диск доступен только для чтения");
    case ENOENT:
        return Texts::tr("папка не найдена");
    case ENOTDIR:
        return Texts::tr("часть пути не является папкой");
    case EISDIR:
        return Texts::tr("под этим именем уже есть папка");
    case ENAMETOOLONG:
        return Texts::tr("слишком длинное имя файла");
    case EIO:
        return Texts::tr("ошибка ввода-вывода при записи на диск");
    case EFBIG:
        return Texts::tr("файл слишком велик для этого диска");
    case EMFILE:
    case ENFILE:
        return Texts::tr("открыто слишком много файлов");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return Texts::tr("файл занят другой программой");
#ifdef ELOOP
    case ELOOP:
        return Texts::tr("слишком много символических ссылок в пути");
#endif
    case EINVAL:
        return Texts::tr("недопустимое имя файла");
    default:
        return Texts::tr("системная ошибка № %1").arg(code);
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
    const Native::Name targetName = Native::name(target);
    // A file the user may not write keeps its contents, although the folder would allow a rename.
    if (Native::exists(targetName) && !Native::writable(targetName))
        return fail(errno);

    Native::Name temporary;
    const int fd = createTemporary(info.absolutePath(), temporary);
    if (fd < 0)
        return fail(errno);
    auto abandon = [&](int code, bool open) {
        if (open)
            Native::close(fd);
        Native::remove(temporary);
        return fail(code);
    };
    Native::keepPermissions(targetName, fd);
    if (!writeAll(fd, bytes))
        return abandon(errno, true);
    // The data must be on the disk before the name points at it; a file system that cannot
    // sync (EINVAL) has nothing to flush.
    if (injected(Step::Flush) || (Native::sync(fd) != 0 && errno != EINVAL))
        return abandon(errno, true);
    if (injected(Step::Close)) {
        const int code = errno;
        Native::close(fd);
        return abandon(code, false);
    }
    if (Native::close(fd) != 0)
        return abandon(errno, false);
    if (injected(Step::Rename) || Native::rename(temporary, targetName) != 0)
        return abandon(errno, false);
    Native::syncFolder(info.absolutePath());
    return true;
}

} // namespace SafeSave
