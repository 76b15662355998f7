#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Windows-1252 ("ANSI") text, as the Windows programs of the family write it. The five bytes the
// code page leaves unassigned map onto the control characters of the same value, as Windows does,
// so that any bytes decode and encode back unchanged.
namespace rt::text {

QString FromWindows1252(const QByteArray& bytes);

// The bytes of the text, or nothing when it holds a character the code page lacks.
std::optional<QByteArray> ToWindows1252(const QString& text);

// Index of the first byte that does not belong to a valid UTF-8 sequence (overlong forms,
// surrogates and code points past U+10FFFF are invalid), or -1 when all of them do.
qsizetype FirstInvalidUtf8(const QByteArray& bytes);

}  // namespace rt::text
