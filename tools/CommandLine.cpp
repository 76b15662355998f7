#include "CommandLine.h"

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

QStringList CommandLine::Positional() const {
    QStringList positional = parser_.positionalArguments();
    for (QString& argument : positional) {
        argument = Unmarked(argument);
    }
    return positional;
}

}  // namespace tools
