#include "cheques/runtime/Windows1252.h"

#include <array>

namespace rt::text {

namespace {

// Code points of the bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr unsigned char kHighFirst = 0x80;
constexpr unsigned char kHighLast = 0x9F;
constexpr char16_t kLatin1First = 0xA0;
constexpr char16_t kLatin1Last = 0xFF;

std::optional<char> ByteOf(char16_t u) {
    if (u < kHighFirst || (u >= kLatin1First && u <= kLatin1Last)) {
        return static_cast<char>(u);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == u) {
            return static_cast<char>(kHighFirst + i);
        }
    }
    return std::nullopt;
}

// Length of the UTF-8 sequence at `at` when it is valid, else 0.
qsizetype Utf8SequenceAt(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    qsizetype length = 0;
    char32_t code = 0;
    char32_t least = 0;  // the smallest code point the length may carry (no overlong forms)
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least || surrogate || code > 0x10FFFF ? 0 : length;
}

}  // namespace

QString FromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(QChar(b >= kHighFirst && b <= kHighLast ? kHigh[b - kHighFirst] : char16_t{b}));
    }
    return text;
}

std::optional<QByteArray> ToWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<char> byte = ByteOf(c.unicode());
        if (!byte) {
            return std::nullopt;
        }
        bytes.append(*byte);
    }
    return bytes;
}

qsizetype FirstInvalidUtf8(const QByteArray& bytes) {
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype length = Utf8SequenceAt(bytes, at);
        if (length == 0) {
            return at;
        }
        at += length;
    }
    return -1;
}

}  // namespace rt::text
