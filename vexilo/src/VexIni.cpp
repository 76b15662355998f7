#include "cheques/vexilo/VexIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <optional>
#include <vector>

#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/SharedFile.h"
#include "cheques/runtime/Text.h"
#include "cheques/runtime/Windows1252.h"

namespace vexilo {

namespace {

constexpr int32_t kPathFileAccessError = 75;

enum class Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Ansi };

// A line of the file with the exact line end that followed it (CRs included, "" for a last line
// without one), so that a line the write does not change goes back byte for byte.
struct IniLine {
    QString text;
    QString end;
};

// The file as lines, with what is needed to write it back the way it was.
struct IniText {
    std::vector<IniLine> lines;
    Encoding encoding = Encoding::Utf8;
    QString lineEnd = QStringLiteral("\n");  // for the lines the write adds
};

const QString kCrLf = QStringLiteral("\r\n");

// Written at the top of an ANSI file whose bytes would otherwise read as UTF-8 (all its
// characters beyond ASCII happen to form UTF-8 sequences): "ó" before "n" is no UTF-8, so the
// file keeps reading as the ANSI text it is.
const QString kAnsiMark = QStringLiteral("; Codificaci\u00f3n: Windows-1252");

bool IsUtf8(const QByteArray& bytes) {
    return rt::text::FirstInvalidUtf8(bytes) < 0;
}

bool IsAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::vector<IniLine> SplitLines(const QString& text) {
    std::vector<IniLine> lines;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), at);
        const qsizetype stop = lf < 0 ? text.size() : lf;
        qsizetype body = stop;
        while (body > at && text[body - 1] == QLatin1Char('\r')) {
            --body;
        }
        const qsizetype next = lf < 0 ? text.size() : lf + 1;
        lines.push_back({text.mid(at, body - at), text.mid(body, next - body)});
        at = next;
    }
    return lines;
}

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
    } else if (IsUtf8(bytes)) {
        text = QString::fromUtf8(bytes);
    } else {
        ini.encoding = Encoding::Ansi;
        text = rt::text::FromWindows1252(bytes);
    }
    ini.lines = SplitLines(text);
    if (!ini.lines.empty() && ini.lines.front().end.endsWith(kCrLf)) {
        ini.lineEnd = kCrLf;
    }
    return ini;
}

QString Joined(const IniText& ini) {
    QString text;
    for (const IniLine& line : ini.lines) {
        text += line.text;
        text += line.end;
    }
    return text;
}

QByteArray EncodeAnsi(IniText ini) {
    std::optional<QByteArray> bytes = rt::text::ToWindows1252(Joined(ini));
    if (!bytes) {
        // A value that ANSI text cannot hold turns the file into UTF-8, losing nothing.
        return Joined(ini).toUtf8();
    }
    if (IsAscii(*bytes) || !IsUtf8(*bytes)) {
        return *bytes;
    }
    ini.lines.insert(ini.lines.begin(), IniLine{kAnsiMark, ini.lineEnd});
    return *rt::text::ToWindows1252(Joined(ini));
}

QByteArray Encode(const IniText& ini) {
    switch (ini.encoding) {
        case Encoding::Ansi:
            return EncodeAnsi(ini);
        case Encoding::Utf8Bom:
            return QByteArray("\xEF\xBB\xBF") + Joined(ini).toUtf8();
        case Encoding::Utf16Le:
        case Encoding::Utf16Be: {
            QStringEncoder encoder(ini.encoding == Encoding::Utf16Le ? QStringEncoder::Utf16LE
                                                                     : QStringEncoder::Utf16BE,
                                   QStringEncoder::Flag::WriteBom);
            return encoder(Joined(ini));
        }
        case Encoding::Utf8:
            break;
    }
    return Joined(ini).toUtf8();
}

// Adds a line at `at`; the line before it, if it was the last one without a line feed (no line
// end, or a lone CR), gets one, so that the new line cannot join it.
void InsertLine(IniText& ini, size_t at, const QString& text) {
    if (at > 0 && !ini.lines[at - 1].end.endsWith(QLatin1Char('\n'))) {
        QString& end = ini.lines[at - 1].end;
        end = end.isEmpty() ? ini.lineEnd : end + QLatin1Char('\n');
    }
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at),
                     IniLine{text, ini.lineEnd});
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
        const auto name = SectionOf(ini.lines[i].text);
        if (name && rt::text::Equals(*name, wanted)) {
            size_t end = i + 1;
            while (end < ini.lines.size() && !SectionOf(ini.lines[end].text)) {
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
        const auto name = KeyOf(ini.lines[i].text);
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

// The error names the file; the description says what went wrong when the system told.
[[noreturn]] void RaiseAccessError(const QString& path, const QString& reason = {}) {
    QString description = QStringLiteral("Path/File access error");
    if (!reason.isEmpty()) {
        description += QStringLiteral(" (%1)").arg(reason);
    }
    throw rt::RuntimeError(kPathFileAccessError, description, path);
}

// Puts value as key in section: in place of the key's value, after the section's last line, or
// in a section added at the end.
void Store(IniText& ini, const QString& seccion, const QString& clave, const QString& value) {
    if (const auto range = FindSection(ini, seccion)) {
        if (const auto line = FindKey(ini, *range, clave)) {
            QString& text = ini.lines[*line].text;
            text = text.left(text.indexOf(QLatin1Char('=')) + 1) + value;
        } else {
            // After the section's last line that holds something, before the blank lines that
            // separate it from the next section.
            size_t at = range->end;
            while (at > range->header + 1 && TrimBlanks(ini.lines[at - 1].text).isEmpty()) {
                --at;
            }
            InsertLine(ini, at, TrimBlanks(clave) + QLatin1Char('=') + value);
        }
    } else {
        if (!ini.lines.empty() && !TrimBlanks(ini.lines.back().text).isEmpty()) {
            InsertLine(ini, ini.lines.size(), QString());
        }
        InsertLine(ini, ini.lines.size(),
                   QLatin1Char('[') + TrimBlanks(seccion) + QLatin1Char(']'));
        InsertLine(ini, ini.lines.size(), TrimBlanks(clave) + QLatin1Char('=') + value);
    }
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
    return line ? ValueOf(ini.lines[*line].text) : fallback;
}

void VexIni::GrabarValor(const QString& archivo, const QString& seccion, const QString& clave,
                         const QString& valor) const {
    const QString path = Ruta(archivo);
    QString value = valor;
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Read, changed and written back under the file's lock, so that programs writing other
    // keys at the same moment lose nothing.
    const auto failure = rt::RewriteSharedFile(path, [&](const QByteArray& bytes) {
        IniText ini = Decode(bytes);
        Store(ini, seccion, clave, value);
        return Encode(ini);
    });
    if (failure) {
        RaiseAccessError(path, failure->reason);
    }
}

}  // namespace vexilo
