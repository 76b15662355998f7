#include "ConnectionOptions.h"

#include <initializer_list>

#include "CommandLine.h"
#include "DemoDatabase.h"
#include "ado/ConnectionString.h"
#include "ado/Enums.h"
#include "db/DB_Dll.h"
#include "db/PedidoDeAcceso.h"
#include "db/Proveedores.h"
#include "db/frmAcceso.h"

namespace tools {

namespace {

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

// "--name VALUE" or "--name", padded to the column where the descriptions start.
QString UsageLine(const QCommandLineOption& option) {
    QString names = QStringLiteral("--") + option.names().constFirst();
    if (!option.valueName().isEmpty()) {
        names += QLatin1Char(' ') + option.valueName();
    }
    return QStringLiteral("  %1%2\n").arg(names.leftJustified(18), option.description());
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
                          QStringLiteral("no administrator look-up (the default without --user)")) {
}

void ConnectionOptions::AddConnectionString(CommandLine& line) const {
    line.AddOption(connOption_);
}

void ConnectionOptions::AddOpening(CommandLine& line) const {
    line.AddOptions({askOption_, userOption_, noAdminCheckOption_});
}

void ConnectionOptions::Read(const CommandLine& line) {
    conn_ = line.Value(connOption_);
    ask_ = line.IsSet(askOption_);
    user_ = line.Value(userOption_);
    noAdminCheck_ = line.IsSet(noAdminCheckOption_);
}

std::optional<QString> ConnectionOptions::UseDemoWithoutConn(const DemoDatabase& demo,
                                                             QString& error) {
    if (conn_) {
        return QString();
    }
    const bool made = !demo.Exists();
    if (!demo.Ensure(&error)) {
        return std::nullopt;
    }
    conn_ = demo.ConnectionString();
    const QString verb = made ? QStringLiteral("made and opened") : QStringLiteral("opened");
    return QStringLiteral("no --conn given: %1 the demo database %2").arg(verb, demo.Path());
}

QString ConnectionOptions::OpeningUsage() const {
    return UsageLine(askOption_) + UsageLine(userOption_) + UsageLine(noAdminCheckOption_);
}

bool ConnectionOptions::Open(db::DB_Dll& db) const {
    const QString conn = conn_.value_or(QString());
    if (ask_) {
        SettingsFrom(db, conn);
    }
    if (user_) {
        db.gUsuario = *user_;
    }
    const bool validaAdmin = user_.has_value() && !noAdminCheck_;
    // "Control de Acceso" for --ask, and for a retry the user asks for after a refusal.
    const db::PedidoDeAcceso pedido(db::frmAcceso::Pedir);
    db.OpenServerADODB(ask_, ado::adUseClient, conn, validaAdmin);
    return db.gCnn()->State() == ado::adStateOpen;
}

}  // namespace tools
