#include "ConnectionOptions.h"

#include <QFile>
#include <cstdio>
#include <initializer_list>

#include <termios.h>
#include <unistd.h>

#include "CommandLine.h"
#include "DemoDatabase.h"
#include "cheques/ado/ConnectionString.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/PedidoDeAcceso.h"
#include "cheques/db/Proveedores.h"
#include "cheques/db/frmAcceso.h"
#include "cheques/ui/Dialogs.h"

namespace tools {

namespace {

// Where the descriptions of the usage lines start, after the option and its value.
constexpr qsizetype kUsageColumn = 22;

const QString kTituloAcceso = QStringLiteral("Control de Acceso");
const QString kPreguntaArchivo = QStringLiteral("Archivo de la base de datos:");

// The first non-empty value of the keywords in the connection string.
QString ValueOf(const QString& conn, std::initializer_list<const char*> keywords) {
    for (const char* keyword : keywords) {
        const QString value = ado::ConnectionStringValue(conn, QLatin1String(keyword));
        if (!value.isEmpty()) {
            return value;
        }
    }
    return {};
}

// Fills the settings "Control de Acceso" starts from with the values of the connection string.
void SettingsFrom(db::DB_Dll& db, const QString& conn) {
    db.gProveedor = ValueOf(conn, {"Provider"});
    const bool oracle = db::EsProveedorOracle(db.gProveedor);
    db.gServidor = ValueOf(conn, {"Server", "Address", "Addr"});
    db.gDbName = ValueOf(conn, {"Database", "Initial Catalog"});
    const QString dataSource = ValueOf(conn, {"Data Source"});
    if (oracle && db.gDbName.isEmpty()) {
        db.gDbName = dataSource;
    } else if (db.gServidor.isEmpty()) {
        db.gServidor = dataSource;
    }
    db.gUsuario = ValueOf(conn, {"User Id", "UId", "User"});
    db.gUserPassWord = ValueOf(conn, {"Password", "Pwd"});
}

bool IsKeyword(const QString& key, std::initializer_list<const char*> keywords) {
    for (const char* keyword : keywords) {
        if (key.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The connection string with `keyword` set to `value`: every pair under one of `replaced` goes
// and the new pair comes last. The string is written again from its pairs, values quoted the
// way both the component and the ODBC drivers read them back whole.
QString WithValue(const QString& conn, std::initializer_list<const char*> replaced,
                  const char* keyword, const QString& value) {
    QString joined;
    for (const auto& [key, pairValue] : ado::ParseConnectionString(conn)) {
        if (!IsKeyword(key, replaced)) {
            joined += key + QLatin1Char('=') + ado::QuoteOdbcValue(pairValue) + QLatin1Char(';');
        }
    }
    return joined + QLatin1String(keyword) + QLatin1Char('=') + ado::QuoteOdbcValue(value) +
           QLatin1Char(';');
}

bool IsEmbedded(const QString& conn) {
    return ValueOf(conn, {"Provider"})
               .trimmed()
               .compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0;
}

// Turns the echo of a terminal off for its lifetime; on anything else it does nothing.
class EchoOff {
  public:
    explicit EchoOff(int fd) : fd_(fd) {
        if (::isatty(fd_) == 0 || ::tcgetattr(fd_, &saved_) != 0) {
            return;
        }
        termios quiet = saved_;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        active_ = ::tcsetattr(fd_, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff() {
        if (active_) {
            ::tcsetattr(fd_, TCSAFLUSH, &saved_);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

    bool Active() const { return active_; }

  private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

// The text without its one final line break (LF or CR LF), as an editor or echo leaves it.
QString WithoutFinalLineBreak(QString text) {
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
        if (text.endsWith(QLatin1Char('\r'))) {
            text.chop(1);
        }
    }
    return text;
}

// The first line of standard input; on a terminal, asked for without echo.
std::optional<QString> FirstLineOfStandardInput() {
    const EchoOff echoOff(STDIN_FILENO);
    if (echoOff.Active()) {
        std::fputs("Password: ", stderr);
        std::fflush(stderr);
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray line = in.readLine();
    if (echoOff.Active()) {
        std::fputs("\n", stderr);
    }
    return WithoutFinalLineBreak(QString::fromUtf8(line));
}

// "--name VALUE" or "--name", padded to the column where the descriptions start.
QString UsageLine(const QCommandLineOption& option) {
    QString names = QStringLiteral("--") + option.names().constFirst();
    if (!option.valueName().isEmpty()) {
        names += QLatin1Char(' ') + option.valueName();
    }
    return QStringLiteral("  %1%2\n").arg(names.leftJustified(kUsageColumn), option.description());
}

}  // namespace

ConnectionOptions::ConnectionOptions()
    : connOption_(QStringLiteral("conn"), QStringLiteral("connection string of the database"),
                  QStringLiteral("STRING")),
      askOption_(QStringLiteral("ask"),
                 QStringLiteral("shows \"Control de Acceso\", filled from --conn, before opening")),
      userOption_(QStringLiteral("user"),
                  QStringLiteral("user for the administrator look-up (turns the look-up on)"),
                  QStringLiteral("NAME")),
      noAdminCheckOption_(QStringLiteral("no-admin-check"),
                          QStringLiteral("no administrator look-up (the default without --user)")),
      passwordFileOption_(QStringLiteral("password-file"),
                          QStringLiteral("the password, read from FILE (else CHEQUES_PASSWORD)"),
                          QStringLiteral("FILE")),
      passwordStdinOption_(QStringLiteral("password-stdin"),
                           QStringLiteral("the password, read from standard input's first line")) {}

void ConnectionOptions::AddConnectionString(CommandLine& line) const {
    line.AddOption(connOption_);
}

void ConnectionOptions::AddOpening(CommandLine& line) const {
    line.AddOptions(
        {askOption_, userOption_, noAdminCheckOption_, passwordFileOption_, passwordStdinOption_});
}

void ConnectionOptions::Read(const CommandLine& line) {
    conn_ = line.Value(connOption_);
    ask_ = line.IsSet(askOption_);
    user_ = line.Value(userOption_);
    noAdminCheck_ = line.IsSet(noAdminCheckOption_);
    passwordFile_ = line.Value(passwordFileOption_);
    passwordStdin_ = line.IsSet(passwordStdinOption_);
}

std::optional<ConnectionOptions::Secret> ConnectionOptions::GivenPassword(bool connHoldsOne,
                                                                          QString& problem) const {
    if (passwordFile_) {
        const QString source = QStringLiteral("the password file %1").arg(*passwordFile_);
        QFile file(*passwordFile_);
        if (!file.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("cannot read %1: %2").arg(source, file.errorString());
            return std::nullopt;
        }
        return Secret{source, WithoutFinalLineBreak(QString::fromUtf8(file.readAll()))};
    }
    if (passwordStdin_) {
        return Secret{QStringLiteral("standard input"),
                      FirstLineOfStandardInput().value_or(QString())};
    }
    if (!connHoldsOne && qEnvironmentVariableIsSet(kPasswordVariable)) {
        return Secret{QString::fromLatin1(kPasswordVariable),
                      qEnvironmentVariable(kPasswordVariable)};
    }
    return std::nullopt;
}

std::optional<QString> ConnectionOptions::ReadPassword() {
    if (passwordFile_ && passwordStdin_) {
        return QStringLiteral("give the password one way: --password-file or --password-stdin");
    }
    const QString conn = conn_.value_or(QString());
    const bool connHoldsOne = !ValueOf(conn, {"Password", "Pwd"}).isEmpty();
    QString problem;
    const std::optional<Secret> password = GivenPassword(connHoldsOne, problem);
    if (!problem.isEmpty()) {
        return problem;
    }
    if (!password) {
        return std::nullopt;
    }
    if (password->text.isEmpty()) {
        return QStringLiteral("no password in %1").arg(password->source);
    }
    if (connHoldsOne) {
        return QStringLiteral("--conn holds a password already: give it one way");
    }
    conn_ = WithValue(conn, {"Password", "Pwd"}, "Pwd", password->text);
    return std::nullopt;
}

std::optional<QString> ConnectionOptions::UseDemoWithoutConn(const DemoDatabase& demo,
                                                             QString& error) {
    if (conn_) {
        return QString();
    }
    bool made = false;
    if (!demo.Ensure(&error, &made)) {
        return std::nullopt;
    }
    conn_ = demo.ConnectionString();
    const QString verb = made ? QStringLiteral("made and opened") : QStringLiteral("opened");
    return QStringLiteral("no --conn given: %1 the demo database %2").arg(verb, demo.Path());
}

QString ConnectionOptions::OpeningUsage() const {
    return UsageLine(askOption_) + UsageLine(userOption_) + UsageLine(noAdminCheckOption_) +
           UsageLine(passwordFileOption_) + UsageLine(passwordStdinOption_);
}

bool ConnectionOptions::Open(db::DB_Dll& db) const {
    QString conn = conn_.value_or(QString());
    bool ask = ask_;
    if (ask && IsEmbedded(conn)) {
        // "Control de Acceso" asks for a server, a database and a user, and builds a SQL Server
        // string of them; an embedded database has a file and nothing else.
        const std::optional<QString> file = ui::Dialogs::Current().InputBox(
            kPreguntaArchivo, kTituloAcceso, ValueOf(conn, {"Data Source"}));
        if (!file) {
            return false;
        }
        conn = WithValue(conn, {"Data Source"}, "Data Source", *file);
        ask = false;
    }
    if (ask) {
        SettingsFrom(db, conn);
    }
    if (user_) {
        db.gUsuario = *user_;
    }
    const bool validaAdmin = user_.has_value() && !noAdminCheck_;
    // "Control de Acceso" for --ask, and for a retry the user asks for after a refusal.
    const db::PedidoDeAcceso pedido(db::frmAcceso::Pedir);
    db.OpenServerADODB(ask, ado::adUseClient, conn, validaAdmin);
    return db.gCnn()->State() == ado::adStateOpen;
}

}  // namespace tools
