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
// --user NAME and --no-admin-check. A tool adds them to its parser, reads them after parsing and
// opens through Open.
class ConnectionOptions {
  public:
    ConnectionOptions();

    // Adds --conn.
    void AddConnectionString(CommandLine& line) const;
    // Adds --ask, --user and --no-admin-check.
    void AddOpening(CommandLine& line) const;
    // Takes the values of a command line that has been parsed.
    void Read(const CommandLine& line);

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
    // (frmAcceso) starts from the values of the connection string (and --user); the
    // administrator look-up runs when a user is named, unless --no-admin-check turns it off.
    // True when it opened.
    bool Open(db::DB_Dll& db) const;

  private:
    QCommandLineOption connOption_;
    QCommandLineOption askOption_;
    QCommandLineOption userOption_;
    QCommandLineOption noAdminCheckOption_;

    std::optional<QString> conn_;
    bool ask_ = false;
    std::optional<QString> user_;
    bool noAdminCheck_ = false;
};

}  // namespace tools
