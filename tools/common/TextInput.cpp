#include "TextInput.h"

#include "cheques/runtime/Windows1252.h"

namespace tools {

namespace {

struct EncodingName {
    const char* name;
    Encoding encoding;
};

constexpr EncodingName kEncodingNames[] = {
    {"utf-8", Encoding::Utf8},
    {"utf8", Encoding::Utf8},
    {"windows-1252", Encoding::Windows1252},
    {"cp1252", Encoding::Windows1252},
    {"latin1", Encoding::Latin1},
    {"latin-1", Encoding::Latin1},
    {"iso-8859-1", Encoding::Latin1},
};

QString Utf8Problem(const QString& source, qsizetype offset) {
    return QStringLiteral("%1 is not valid UTF-8 at byte offset %2").arg(source).arg(offset);
}

}  // namespace

std::optional<Encoding> EncodingNamed(const QString& name) {
    for (const EncodingName& known : kEncodingNames) {
        if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0) {
            return known.encoding;
        }
    }
    return std::nullopt;
}

DecodedText DecodeText(const QByteArray& bytes, Encoding encoding, const QString& source) {
    switch (encoding) {
        case Encoding::Windows1252:
            return {rt::text::FromWindows1252(bytes), {}};
        case Encoding::Latin1:
            return {QString::fromLatin1(bytes), {}};
        case Encoding::Utf8:
            break;
    }
    const qsizetype bad = rt::text::FirstInvalidUtf8(bytes);
    if (bad >= 0) {
        // Only a script or standard input can be read in another encoding.
        return {{},
                Utf8Problem(source, bad) +
                    QStringLiteral(" (--encoding windows-1252 or latin1 reads it as it is)")};
    }
    return {QString::fromUtf8(bytes), {}};
}

std::optional<QString> InvalidArgument(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const qsizetype bad = rt::text::FirstInvalidUtf8(QByteArray(argv[i]));
        if (bad >= 0) {
            return Utf8Problem(QStringLiteral("argument %1").arg(i), bad) +
                   QStringLiteral(" (arguments are always read as UTF-8)");
        }
    }
    return std::nullopt;
}

}  // namespace tools
