#include "StandardOutput.h"

#include <QIODevice>
#include <QTextStream>
#include <cerrno>
#include <cstring>

namespace tools {

namespace {

QString Failure(const QString& reason) {
    return QStringLiteral("cannot write standard output: %1").arg(reason);
}

}  // namespace

std::optional<QString> OutputFailure(std::FILE* out) {
    errno = 0;
    const bool flushed = std::fflush(out) == 0;
    const int error = errno;
    if (flushed && std::ferror(out) == 0) {
        return std::nullopt;
    }
    // A failure on the way may leave nothing to flush, and so no error number now.
    const QString reason =
        error != 0 ? QString::fromLocal8Bit(std::strerror(error))
                   : QStringLiteral("a write failed on the way; the output is incomplete");
    return Failure(reason);
}

std::optional<QString> OutputFailure(QTextStream& out) {
    out.flush();
    if (out.status() != QTextStream::WriteFailed) {
        return std::nullopt;
    }
    const QIODevice* device = out.device();
    return Failure(device != nullptr ? device->errorString() : QStringLiteral("write failed"));
}

}  // namespace tools
