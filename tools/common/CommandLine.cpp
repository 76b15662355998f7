#include "CommandLine.h"

#include <string>
#include <string_view>

namespace tools {

namespace {

// A mark no command-line argument can carry (argv strings end at NUL). Arguments with a single
// leading dash pass the parser behind it, as values, and lose it afterwards.
const QChar kMark(u'\0');

bool SingleDash(const QString& argument) {
    return argument.size() > 1 && argument.startsWith(QLatin1Char('-')) &&
           !argument.startsWith(QLatin1String("--"));
}

QString Unmarked(const QString& text) {
    return text.startsWith(kMark) ? text.mid(1) : text;
}

bool IsNameCharacter(char32_t c) {
    return QChar::isLetter(c) || QChar::isDigit(c) || QChar::isMark(c) || c == U'_' || c == U'#' ||
           c == U'@' || c == U'$';
}

// Quotes and "[" would end a bracketed name once the Oracle rewrite turns brackets into quotes.
bool IsBracketedCharacter(char32_t c) {
    return QChar::isPrint(c) && c != U'"' && c != U'\'' && c != U'`' && c != U'[';
}

// The end of the part of a name that starts at `at`: past its closing "]" for a bracketed
// part, past its last character for a plain one; `at` itself when no part starts there.
std::size_t PartEnd(std::u32string_view text, std::size_t at) {
    if (text[at] != U'[') {
        std::size_t end = at;
        while (end < text.size() && IsNameCharacter(text[end])) {
            ++end;
        }
        return end;
    }
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] == U']') {
            if (i + 1 < text.size() && text[i + 1] == U']') {
                ++i;
                continue;
            }
            return i == at + 1 ? at : i + 1;  // an empty "[]" names nothing
        }
        if (!IsBracketedCharacter(text[i])) {
            return at;
        }
    }
    return at;  // no "]" closes it
}

bool IsIdentifier(const QString& value) {
    const std::u32string text = value.toStdU32String();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = PartEnd(text, at);
        if (end == at) {
            return false;
        }
        if (end == text.size()) {
            return true;
        }
        if (text[end] != U'.') {
            return false;
        }
        at = end + 1;
    }
    return false;  // empty, or ending in "."
}

}  // namespace

CommandLine::CommandLine() {
    parser_.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
}

void CommandLine::AddOption(const QCommandLineOption& option) {
    parser_.addOption(option);
    added_ << option.names().constFirst();
}

void CommandLine::AddOptions(const QList<QCommandLineOption>& options) {
    for (const QCommandLineOption& option : options) {
        AddOption(option);
    }
}

bool CommandLine::Parse(const QStringList& arguments) {
    QStringList marked = arguments;
    for (qsizetype i = 1; i < marked.size(); ++i) {
        if (SingleDash(marked[i])) {
            marked[i].prepend(kMark);
        }
    }
    return parser_.parse(marked);
}

bool CommandLine::IsSet(const QCommandLineOption& option) const {
    return added_.contains(option.names().constFirst()) && parser_.isSet(option);
}

std::optional<QString> CommandLine::Value(const QCommandLineOption& option) const {
    if (!IsSet(option)) {
        return std::nullopt;
    }
    return Unmarked(parser_.value(option));
}

std::optional<QString> NotAnIdentifier(const QString& argument, const QString& value) {
    if (IsIdentifier(value)) {
        return std::nullopt;
    }
    return QStringLiteral(
               "%1 must be a table or column name (letters, digits, _ # @ $, parts joined by "
               "\".\" or written in [brackets]): \"%2\"")
        .arg(argument, value);
}

QStringList CommandLine::Positional() const {
    QStringList positional = parser_.positionalArguments();
    for (QString& argument : positional) {
        argument = Unmarked(argument);
    }
    return positional;
}

}  // namespace tools
