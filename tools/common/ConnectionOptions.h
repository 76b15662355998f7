#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>

class DemoDatabase;

namespace db {
class DB_Dll;
}

namespace tools {

class CommandLine;

// The options with which a command-line tool of the family opens the database component, for
// every tool to take alike: --conn STRING, and for the commands that open the connection --ask,
// --user NAME, --no-admin-check, and the password kept off the command line (--password-file
// FILE, --password-stdin, or the environment variable CHEQUES_PASSWORD). A tool adds them to
// its parser, reads them after parsing, reads the password and opens through Open.
class ConnectionOptions {
  public:
    // The environment variable a password may come from.
    static constexpr const char* kPasswordVariable = "CHEQUES_PASSWORD";

    ConnectionOptions();

    // Adds --conn.
    void AddConnectionString(CommandLine& line) const;
    // Adds --ask, --user, --no-admin-check, --password-file and --password-stdin.
    void AddOpening(CommandLine& line) const;
    // Takes the values of a command line that has been parsed.
    void Read(const CommandLine& line);

    // Whether the password is to be read from standard input, which the tool then must not read
    // for anything else.
    bool PasswordFromStandardInput() const { return passwordStdin_; }

    // Reads the password from --password-file, --password-stdin or CHEQUES_PASSWORD (in that
    // order; the variable only when the connection string holds no password) and joins it to
    // the connection string. The problem when it cannot be had: both options, an option beside
    // a connection string that holds a password, an unreadable or empty source. A terminal on
    // standard input does not echo what is typed.
    std::optional<QString> ReadPassword();

    // One line per opening option, as a usage text lists them.
    QString OpeningUsage() const;

    // Without --conn, the connection string of the demo database, which is made when it is
    // missing. Returns the note to show the user once (which database the tool opens), empty
    // when --conn was given; nothing when the demo database cannot be made (the reason in
    // error).
    std::optional<QString> UseDemoWithoutConn(const DemoDatabase& demo, QString& error);

    const std::optional<QString>& Conn() const { return conn_; }
    // Whether "Control de Acceso" is shown before opening.
    bool Ask() const { return ask_; }

    // Opens the component on --conn the way the program does: with --ask "Control de Acceso"
    // (frmAcceso) starts from the values of the connection string (and --user), except for an
    // embedded database, whose only field, the file, is asked for in a prompt; the
    // administrator look-up runs when a user is named, unless --no-admin-check turns it off.
    // True when it opened.
    bool Open(db::DB_Dll& db) const;

  private:
    // A password and where it came from, for messages.
    struct Secret {
        QString source;
        QString text;
    };
    // The password the options (or, when the connection string holds none, the environment)
    // give; nothing when none does, or when it cannot be read (the reason in problem).
    std::optional<Secret> GivenPassword(bool connHoldsOne, QString& problem) const;

    QCommandLineOption connOption_;
    QCommandLineOption askOption_;
    QCommandLineOption userOption_;
    QCommandLineOption noAdminCheckOption_;
    QCommandLineOption passwordFileOption_;
    QCommandLineOption passwordStdinOption_;

    std::optional<QString> conn_;
    bool ask_ = false;
    std::optional<QString> user_;
    bool noAdminCheck_ = false;
    std::optional<QString> passwordFile_;
    bool passwordStdin_ = false;
};

}  // namespace tools
