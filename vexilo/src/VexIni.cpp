#include "vexilo/VexIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <optional>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace vexilo {

namespace {

constexpr int32_t kPathFileAccessError = 75;

// Windows-1252 code points of the bytes 0x80..0x9F; the five unassigned bytes map onto the
// control characters of the same value, as Windows does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(QChar(b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char16_t{b}));
    }
    return text;
}

std::optional<QByteArray> EncodeCp1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        bool found = false;
        for (size_t i = 0; i < kCp1252High.size(); ++i) {
            if (kCp1252High[i] == u) {
                bytes.append(static_cast<char>(0x80 + i));
                found = true;
                break;
            }
        }
        if (!found) {
            return std::nullopt;
        }
    }
    return bytes;
}

enum class Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Ansi };

// The file as lines, with what is needed to write it back the way it was.
struct IniText {
    std::vector<QString> lines;
    Encoding encoding = Encoding::Utf8;
    QString lineEnd = QStringLiteral("\n");
};

IniText Decode(const QByteArray& bytes) {
    IniText ini;
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        ini.encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        ini.encoding = little ? Encoding::Utf16Le : Encoding::Utf16Be;
        QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        text = decoder(bytes.mid(2));
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8(bytes);
        if (utf8.hasError()) {
            ini.encoding = Encoding::Ansi;
            text = DecodeCp1252(bytes);
        }
    }
    const auto firstBreak = text.indexOf(QLatin1Char('\n'));
    if (firstBreak > 0 && text[firstBreak - 1] == QLatin1Char('\r')) {
        ini.lineEnd = QStringLiteral("\r\n");
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        // The text after the last line break is a line only when it holds something.
        if (i == lines.size() - 1 && line.isEmpty()) {
            break;
        }
        ini.lines.push_back(line);
    }
    return ini;
}

QByteArray Encode(const IniText& ini) {
    QString text;
    for (const QString& line : ini.lines) {
        text += line;
        text += ini.lineEnd;
    }
    switch (ini.encoding) {
        case Encoding::Ansi:
            if (auto bytes = EncodeCp1252(text)) {
                return *bytes;
            }
            // A value that ANSI text cannot hold turns the file into UTF-8.
            return text.toUtf8();
        case Encoding::Utf8Bom:
            return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        case Encoding::Utf16Le:
        case Encoding::Utf16Be: {
            QStringEncoder encoder(ini.encoding == Encoding::Utf16Le ? QStringEncoder::Utf16LE
                                                                     : QStringEncoder::Utf16BE,
                                   QStringEncoder::Flag::WriteBom);
            return encoder(text);
        }
        case Encoding::Utf8:
            break;
    }
    return text.toUtf8();
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(text[begin])) {
        ++begin;
    }
    while (end > begin && blank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

// The name of the section that a line opens, if it opens one.
std::optional<QString> SectionOf(const QString& line) {
    const QString trimmed = TrimBlanks(line);
    if (!trimmed.startsWith(QLatin1Char('['))) {
        return std::nullopt;
    }
    const auto close = trimmed.indexOf(QLatin1Char(']'));
    return TrimBlanks(close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1));
}

// The key that a line holds, if it holds one (comments start with ';').
std::optional<QString> KeyOf(const QString& line) {
    const QString trimmed = TrimBlanks(line);
    if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('['))) {
        return std::nullopt;
    }
    const auto equals = trimmed.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return std::nullopt;
    }
    return TrimBlanks(trimmed.left(equals));
}

QString ValueOf(const QString& line) {
    QString value = TrimBlanks(line.mid(line.indexOf(QLatin1Char('=')) + 1));
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    return value;
}

// Where a section starts and ends in the lines: [header, end).
struct SectionRange {
    size_t header;
    size_t end;
};

std::optional<SectionRange> FindSection(const IniText& ini, const QString& section) {
    const QString wanted = TrimBlanks(section);
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        const auto name = SectionOf(ini.lines[i]);
        if (name && rt::text::Equals(*name, wanted)) {
            size_t end = i + 1;
            while (end < ini.lines.size() && !SectionOf(ini.lines[end])) {
                ++end;
            }
            return SectionRange{i, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const IniText& ini, const SectionRange& range, const QString& key) {
    const QString wanted = TrimBlanks(key);
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = KeyOf(ini.lines[i]);
        if (name && rt::text::Equals(*name, wanted)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> ReadAll(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

[[noreturn]] void RaiseAccessError(const QString& path) {
    throw rt::RuntimeError(kPathFileAccessError, QStringLiteral("Path/File access error"), path);
}

}  // namespace

QString VexIni::Ruta(const QString& archivo) {
    const QString name = QDir::fromNativeSeparators(archivo);
    QString path = name;
    if (!name.contains(QLatin1Char('/'))) {
        path = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
               QLatin1Char('/') + name;
    }
    const QFileInfo info(path);
    if (info.exists() || info.fileName().isEmpty()) {
        return path;
    }
    // A file written on Windows may differ in letter case from the name the program uses.
    const QDir folder = info.absoluteDir();
    const QStringList entries =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        if (rt::text::Equals(entry, info.fileName())) {
            return info.path() + QLatin1Char('/') + entry;
        }
    }
    return path;
}

QString VexIni::LeerValor(const QString& archivo, const QString& seccion, const QString& clave,
                          double porDefecto) const {
    const QString fallback = rt::text::NumberToText(porDefecto);
    const auto bytes = ReadAll(Ruta(archivo));
    if (!bytes) {
        return fallback;
    }
    const IniText ini = Decode(*bytes);
    const auto range = FindSection(ini, seccion);
    if (!range) {
        return fallback;
    }
    const auto line = FindKey(ini, *range, clave);
    return line ? ValueOf(ini.lines[*line]) : fallback;
}

void VexIni::GrabarValor(const QString& archivo, const QString& seccion, const QString& clave,
                         const QString& valor) const {
    const QString path = Ruta(archivo);
    IniText ini;
    if (QFileInfo::exists(path)) {
        const auto bytes = ReadAll(path);
        if (!bytes) {
            RaiseAccessError(path);
        }
        ini = Decode(*bytes);
    } else if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        RaiseAccessError(path);
    }

    QString value = valor;
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));

    if (const auto range = FindSection(ini, seccion)) {
        if (const auto line = FindKey(ini, *range, clave)) {
            QString& text = ini.lines[*line];
            text = text.left(text.indexOf(QLatin1Char('=')) + 1) + value;
        } else {
            // After the section's last line that holds something, before the blank lines that
            // separate it from the next section.
            size_t at = range->end;
            while (at > range->header + 1 && TrimBlanks(ini.lines[at - 1]).isEmpty()) {
                --at;
            }
            ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at),
                             TrimBlanks(clave) + QLatin1Char('=') + value);
        }
    } else {
        if (!ini.lines.empty() && !TrimBlanks(ini.lines.back()).isEmpty()) {
            ini.lines.emplace_back();
        }
        ini.lines.push_back(QLatin1Char('[') + TrimBlanks(seccion) + QLatin1Char(']'));
        ini.lines.push_back(TrimBlanks(clave) + QLatin1Char('=') + value);
    }

    const QByteArray bytes = Encode(ini);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        RaiseAccessError(path);
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();  // the temporary file goes with the QSaveFile
        RaiseAccessError(path);
    }
    if (!file.commit()) {
        RaiseAccessError(path);
    }
}

}  // namespace vexilo
