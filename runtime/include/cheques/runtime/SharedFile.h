#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace rt {

// Why a shared file was not rewritten. The file is then exactly as it was.
struct FileFailure {
    QString path;    // the file, or the folder or lock that stood in the way
    QString reason;  // in words a person can act on
};

// Writes a file whole through a temporary file of its own beside it (a QSaveFile), flushed and
// on the disk before it is renamed over the file: a full disk or a kill leaves the old file.
std::optional<FileFailure> WriteFileWhole(const QString& path, const QByteArray& bytes);

// Rewrites a file that several programs may rewrite at the same moment, whole or not at all.
// Under a lock file beside it ("<path>.lock", a QLockFile) it reads the file (no bytes when it
// is missing), hands the bytes to `change` and writes what comes back to a temporary file of
// its own beside it (a QSaveFile), flushed and on the disk before it is renamed over the file.
// Two programs thus never lose each other's change, and a full disk or a kill leaves the old
// file. The folder is made when missing. Anything but a regular file at the path (a folder, a
// FIFO, a device) is left alone, and nothing waits on it.
std::optional<FileFailure> RewriteSharedFile(
    const QString& path, const std::function<QByteArray(const QByteArray&)>& change);

}  // namespace rt
