#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tools {

// The encodings a tool reads its scripts and standard input in.
enum class Encoding { Utf8, Windows1252, Latin1 };

// The encoding a name stands for ("utf-8", "windows-1252", "latin1" and their usual spellings,
// any case), or nothing.
std::optional<Encoding> EncodingNamed(const QString& name);

// Text read from somewhere, or why it could not be read.
struct DecodedText {
    QString text;
    QString problem;  // empty when the text was read
};

// The bytes as text. UTF-8 is read strictly: a byte out of place is a problem naming `source`
// and its byte offset, never a replacement character. The other encodings read any bytes.
DecodedText DecodeText(const QByteArray& bytes, Encoding encoding, const QString& source);

// The problem with the first program argument that is not valid UTF-8, if any. Arguments are
// always UTF-8: --encoding applies to scripts and standard input only.
std::optional<QString> InvalidArgument(int argc, const char* const* argv);

}  // namespace tools
