#include "cheques/runtime/SharedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStorageInfo>
#include <cerrno>
#include <cstring>

namespace rt {

namespace {

// Each writer holds the lock for one rewrite (milliseconds); a writer gives up after this long.
constexpr int kLockWaitMs = 20'000;
// A lock file whose maker died before writing its owner in it names no one to ask about; it is
// taken over after this long. A live owner's lock is never taken: QLockFile holds a system lock
// (flock) on it that the takeover asks for first.
constexpr int kStaleLockMs = 1'000;

const QString kLockSuffix = QStringLiteral(".lock");
const QString kNotRegular = QStringLiteral("no es un archivo común");

QString SystemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// True when something other than a regular file is at the path. One stat, since the lock file
// of another writer comes and goes between any two looks.
bool IsSomethingElse(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode);
}

// The bytes of the file, empty when it is missing. The file is opened without waiting (a FIFO
// would wait for a writer) and read only when it is a regular file.
std::optional<FileFailure> ReadRegular(const QString& path, QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            bytes.clear();
            return std::nullopt;
        }
        return FileFailure{path, SystemReason()};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);  // not adopted
        return FileFailure{path, file.errorString()};
    }
    struct stat status {};
    if (::fstat(file.handle(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return FileFailure{path, kNotRegular};
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return FileFailure{path, file.errorString()};
    }
    return std::nullopt;
}

// The rename reaches the disk once the folder is flushed too.
void SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// QLockFile does not say why it could not write a lock; a full disk is the usual reason.
QString LockReason(const QLockFile& lock, const QString& folder) {
    switch (lock.error()) {
        case QLockFile::LockFailedError:
            return QStringLiteral("otro programa lo está grabando");
        case QLockFile::PermissionError:
            return QStringLiteral("no hay permiso para crear el bloqueo");
        default:
            return QStorageInfo(folder).bytesAvailable() == 0
                       ? QString::fromLocal8Bit(std::strerror(ENOSPC))
                       : QStringLiteral("no se pudo crear el bloqueo");
    }
}

}  // namespace

// QSaveFile buffers a short text and renames without looking at how the buffer's last write
// went: on a full disk that would put an empty file in the old one's place. So the bytes are
// written, flushed and on the disk before the rename.
std::optional<FileFailure> WriteFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return FileFailure{path, file.errorString()};
    }
    const bool written =
        file.write(bytes) == bytes.size() && file.flush() && ::fsync(file.handle()) == 0;
    if (!written) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : SystemReason();
        file.cancelWriting();  // the temporary file goes with the QSaveFile
        return FileFailure{path, reason};
    }
    if (!file.commit()) {
        return FileFailure{path, file.errorString()};
    }
    SyncFolder(QFileInfo(path).absolutePath());
    return std::nullopt;
}

std::optional<FileFailure> RewriteSharedFile(
    const QString& path, const std::function<QByteArray(const QByteArray&)>& change) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return FileFailure{folder, QStringLiteral("no se puede crear la carpeta")};
    }
    const QString lockPath = path + kLockSuffix;
    // QLockFile would read a FIFO in the lock's place to learn its owner, and wait for ever.
    if (IsSomethingElse(lockPath)) {
        return FileFailure{lockPath, kNotRegular};
    }
    QLockFile lock(lockPath);
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        return FileFailure{path, LockReason(lock, folder)};
    }
    QByteArray bytes;
    if (auto failure = ReadRegular(path, bytes)) {
        return failure;
    }
    return WriteFileWhole(path, change(bytes));
}

}  // namespace rt
