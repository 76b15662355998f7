#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

namespace tools {

// The command line of a tool of the family, read by QCommandLineParser: "--name value" and
// "--name=value", "--" ends the options. Unlike the parser's own rule, an argument with a
// single leading dash ("-5") is a value, as the tools have always read it, not a short option.
class CommandLine {
  public:
    CommandLine();

    void AddOption(const QCommandLineOption& option);
    void AddOptions(const QList<QCommandLineOption>& options);

    // Reads the arguments; the first one names the program (or the command) and is not read.
    // False on an unknown option, a missing value or a value given to a flag.
    bool Parse(const QStringList& arguments);
    QString ErrorText() const { return parser_.errorText(); }

    // Whether the option was given; an option that was never added was not.
    bool IsSet(const QCommandLineOption& option) const;
    // The last value given to the option; nothing when it was not given.
    std::optional<QString> Value(const QCommandLineOption& option) const;
    QStringList Positional() const;

    // The generated help of the options and arguments added so far.
    QString HelpText() const { return parser_.helpText(); }
    QCommandLineParser& Parser() { return parser_; }

  private:
    QCommandLineParser parser_;
    QStringList added_;  // the first name of every option added
};

// The usage problem of an argument that must name a table or a column (`argument` is its name
// in the usage, TABLE or FIELD): the component writes such names into its statements as they
// stand, so anything but a name is refused. A name is one or more parts joined by ".", each a
// run of letters (of any alphabet), digits, "_", "#", "@" and "$", or any printable text in
// brackets but quotes and "[" ("]]" stands for "]"). Nothing when the value is a name.
std::optional<QString> NotAnIdentifier(const QString& argument, const QString& value);

}  // namespace tools
