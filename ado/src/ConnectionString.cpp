#include "cheques/ado/ConnectionString.h"

#include "AdoError.h"
#include "cheques/ado/Enums.h"

namespace ado {

namespace {

// One keyword/value pair with the place of its value in the string.
struct Pair {
    QString key;
    QString value;
    qsizetype valueStart = 0;
    qsizetype valueEnd = 0;
};

// Reads a quoted or braced value starting at `at` (the opening character); `at` ends after it.
QString ReadEnclosed(const QString& text, qsizetype& at, QChar close) {
    QString value;
    ++at;
    while (at < text.size()) {
        const QChar c = text[at++];
        if (c != close) {
            value += c;
            continue;
        }
        if (at < text.size() && text[at] == close) {
            value += c;
            ++at;
            continue;
        }
        break;
    }
    return value;
}

std::vector<Pair> Tokenize(const QString& text) {
    std::vector<Pair> pairs;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), at);
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), at);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A segment without "=" carries no pair.
            at = semicolon < 0 ? text.size() : semicolon + 1;
            continue;
        }
        Pair pair;
        pair.key = text.mid(at, equals - at).trimmed();
        at = equals + 1;
        while (at < text.size() && text[at].isSpace()) {
            ++at;
        }
        pair.valueStart = at;
        const QChar first = at < text.size() ? text[at] : QChar();
        if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
            pair.value = ReadEnclosed(text, at, first);
        } else if (first == QLatin1Char('{')) {
            pair.value = ReadEnclosed(text, at, QLatin1Char('}'));
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), at);
            const qsizetype stop = end < 0 ? text.size() : end;
            pair.value = text.mid(at, stop - at).trimmed();
            at = stop;
        }
        // Whatever follows a closing quote up to the ";" belongs to no pair, but it belongs to
        // the value's place: masking must hide it too.
        const qsizetype next = text.indexOf(QLatin1Char(';'), at);
        pair.valueEnd = next < 0 ? text.size() : next;
        at = next < 0 ? text.size() : next + 1;
        if (!pair.key.isEmpty()) {
            pairs.push_back(pair);
        }
    }
    return pairs;
}

bool IsOneOf(const QString& key, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool IsPasswordKey(const QString& key) {
    return IsOneOf(key, {"Password", "PWD"});
}
bool IsUserKey(const QString& key) {
    return IsOneOf(key, {"User ID", "UID", "User", "User Name"});
}

void Append(QString& odbc, const QString& key, const QString& value) {
    odbc += key + QLatin1Char('=') + QuoteOdbcValue(value) + QLatin1Char(';');
}

int TimeoutValue(const QString& text) {
    bool ok = false;
    const int seconds = text.toInt(&ok);
    return ok && seconds >= 0 ? seconds : -1;
}

// The pieces of an OLE DB string that the ODBC drivers take under their own names.
struct OleDbParts {
    QString driver;
    QString server;
    QString database;
    QString user;
    QString password;
    int loginTimeout = -1;
    QString others;  // attributes passed on as they stand
};

OleDbParts ReadOleDb(const std::vector<Pair>& pairs) {
    OleDbParts parts;
    for (const Pair& pair : pairs) {
        const QString& key = pair.key;
        if (IsOneOf(key, {"Provider", "Persist Security Info", "Network Library", "Network",
                          "Packet Size", "Auto Translate", "Use Procedure for Prepare",
                          "Integrated Security", "OLE DB Services", "Prompt"})) {
            continue;
        }
        if (IsOneOf(key, {"Driver"})) {
            parts.driver = pair.value;
        } else if (IsOneOf(key, {"Data Source", "Server", "Address", "Addr", "Network Address"})) {
            parts.server = pair.value;
        } else if (IsOneOf(key, {"Initial Catalog", "Database"})) {
            parts.database = pair.value;
        } else if (IsUserKey(key)) {
            parts.user = pair.value;
        } else if (IsPasswordKey(key)) {
            parts.password = pair.value;
        } else if (IsOneOf(key, {"Connect Timeout", "Connection Timeout", "Timeout"})) {
            parts.loginTimeout = TimeoutValue(pair.value);
        } else if (IsOneOf(key, {"Application Name"})) {
            Append(parts.others, QStringLiteral("APP"), pair.value);
        } else if (IsOneOf(key, {"Workstation ID"})) {
            Append(parts.others, QStringLiteral("WSID"), pair.value);
        } else {
            Append(parts.others, key, pair.value);
        }
    }
    return parts;
}

void ApplyCredentials(OleDbParts& parts, const QString& userId, const QString& password) {
    if (!userId.isEmpty()) {
        parts.user = userId;
    }
    if (!password.isEmpty()) {
        parts.password = password;
    }
}

QString SqlServerString(OleDbParts parts, const QString& defaultDriver) {
    QString odbc;
    Append(odbc, QStringLiteral("Driver"), parts.driver.isEmpty() ? defaultDriver : parts.driver);
    // SQL Server writes "host,port"; the ODBC drivers take the port apart.
    const qsizetype comma = parts.server.lastIndexOf(QLatin1Char(','));
    if (comma >= 0) {
        Append(odbc, QStringLiteral("Server"), parts.server.left(comma).trimmed());
        Append(odbc, QStringLiteral("Port"), parts.server.mid(comma + 1).trimmed());
    } else {
        Append(odbc, QStringLiteral("Server"), parts.server);
    }
    if (!parts.database.isEmpty()) {
        Append(odbc, QStringLiteral("Database"), parts.database);
    }
    Append(odbc, QStringLiteral("UID"), parts.user);
    Append(odbc, QStringLiteral("PWD"), parts.password);
    return odbc + parts.others;
}

QString OracleString(const OleDbParts& parts, const QString& defaultDriver) {
    QString odbc;
    Append(odbc, QStringLiteral("Driver"), parts.driver.isEmpty() ? defaultDriver : parts.driver);
    // The OLE DB data source is the service (TNS) name.
    Append(odbc, QStringLiteral("DBQ"), parts.server);
    Append(odbc, QStringLiteral("UID"), parts.user);
    Append(odbc, QStringLiteral("PWD"), parts.password);
    return odbc + parts.others;
}

// A plain ODBC string, with the given user and password put in place of its own.
QString OdbcString(const QString& connectionString, const std::vector<Pair>& pairs,
                   const QString& userId, const QString& password) {
    if (userId.isEmpty() && password.isEmpty()) {
        return connectionString;
    }
    QString odbc;
    for (const Pair& pair : pairs) {
        const bool replaced = (!userId.isEmpty() && IsUserKey(pair.key)) ||
                              (!password.isEmpty() && IsPasswordKey(pair.key));
        if (!replaced) {
            Append(odbc, pair.key, pair.value);
        }
    }
    if (!userId.isEmpty()) {
        Append(odbc, QStringLiteral("UID"), userId);
    }
    if (!password.isEmpty()) {
        Append(odbc, QStringLiteral("PWD"), password);
    }
    return odbc;
}

// What MSDASQL hands the driver: the string's own attributes (Driver, Server, Database...), then
// those of "Extended Properties" as they stand.
QString MsdasqlOdbcString(const std::vector<Pair>& pairs) {
    QString odbc;
    QString extended;
    for (const Pair& pair : pairs) {
        if (IsOneOf(pair.key, {"Extended Properties"})) {
            extended = pair.value;
        } else if (!IsOneOf(pair.key, {"Provider"})) {
            Append(odbc, pair.key, pair.value);
        }
    }
    return odbc + extended;
}

bool StartsWith(const QString& text, const char* prefix) {
    return text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

}  // namespace

std::vector<std::pair<QString, QString>> ParseConnectionString(const QString& connectionString) {
    std::vector<std::pair<QString, QString>> result;
    for (const Pair& pair : Tokenize(connectionString)) {
        result.emplace_back(pair.key, pair.value);
    }
    return result;
}

QString ConnectionStringValue(const QString& connectionString, const QString& keyword) {
    QString value;
    for (const Pair& pair : Tokenize(connectionString)) {
        if (pair.key.compare(keyword, Qt::CaseInsensitive) == 0) {
            value = pair.value.isNull() ? QLatin1String("") : pair.value;
        }
    }
    return value;
}

std::optional<ProviderKind> ProviderKindOf(const QString& connectionString) {
    const QString provider =
        ConnectionStringValue(connectionString, QStringLiteral("Provider")).trimmed();
    if (provider.isEmpty() ||
        provider.compare(QLatin1String("MSDASQL"), Qt::CaseInsensitive) == 0 ||
        StartsWith(provider, "MSDASQL.")) {
        return ProviderKind::Odbc;
    }
    if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0) {
        return ProviderKind::Sqlite;
    }
    if (StartsWith(provider, "SQLOLEDB") || StartsWith(provider, "SQLNCLI") ||
        StartsWith(provider, "MSOLEDBSQL")) {
        return ProviderKind::SqlServer;
    }
    if (StartsWith(provider, "OraOLEDB.Oracle") || StartsWith(provider, "MSDAORA")) {
        return ProviderKind::Oracle;
    }
    return std::nullopt;
}

ConnectionTarget TranslateConnectionString(const QString& connectionString, const QString& userId,
                                           const QString& password, const OdbcDrivers& drivers) {
    const std::optional<ProviderKind> kind = ProviderKindOf(connectionString);
    if (!kind) {
        RaiseAdoError(err::ProviderNotFound);
    }
    const std::vector<Pair> pairs = Tokenize(connectionString);
    ConnectionTarget target;
    target.kind = *kind;
    const QString timeout =
        ConnectionStringValue(connectionString, QStringLiteral("Connect Timeout"));
    target.loginTimeout = timeout.isNull() ? -1 : TimeoutValue(timeout);
    if (*kind == ProviderKind::Odbc) {
        target.provider = QStringLiteral("MSDASQL");
        const bool plain =
            ConnectionStringValue(connectionString, QStringLiteral("Provider")).trimmed().isEmpty();
        const QString odbc = plain ? connectionString : MsdasqlOdbcString(pairs);
        target.odbcString = OdbcString(odbc, Tokenize(odbc), userId, password);
        return target;
    }
    if (*kind == ProviderKind::Sqlite) {
        target.provider = QStringLiteral("SQLite");
        target.databasePath =
            ConnectionStringValue(connectionString, QStringLiteral("Data Source"));
        const QString mode =
            ConnectionStringValue(connectionString, QStringLiteral("Mode")).trimmed();
        target.readOnly = mode.compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0;
        target.create = mode.compare(QLatin1String("ReadWriteCreate"), Qt::CaseInsensitive) == 0;
        const QString busy =
            ConnectionStringValue(connectionString, QStringLiteral("Busy Timeout"));
        target.busyTimeout = busy.isNull() ? -1 : TimeoutValue(busy);
        return target;
    }
    OleDbParts parts = ReadOleDb(pairs);
    ApplyCredentials(parts, userId, password);
    target.loginTimeout = parts.loginTimeout;
    if (*kind == ProviderKind::SqlServer) {
        target.provider = QStringLiteral("SQLOLEDB");
        target.odbcString = SqlServerString(parts, drivers.sqlServer);
        return target;
    }
    target.provider = QStringLiteral("OraOLEDB.Oracle.1");
    target.odbcString = OracleString(parts, drivers.oracle);
    return target;
}

QString MaskPassword(const QString& connectionString) {
    QString masked = connectionString;
    const std::vector<Pair> pairs = Tokenize(connectionString);
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        if (IsPasswordKey(it->key)) {
            masked.replace(it->valueStart, it->valueEnd - it->valueStart, QStringLiteral("***"));
        } else if (IsOneOf(it->key, {"Extended Properties"})) {
            masked.replace(it->valueStart, it->valueEnd - it->valueStart,
                           QuoteOdbcValue(MaskPassword(it->value)));
        }
    }
    return masked;
}

QString QuoteOdbcValue(const QString& value) {
    // A value that starts with a quote would be read back as a quoted one.
    const bool opensQuote =
        value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''));
    const bool plain = !opensQuote && !value.contains(QLatin1Char(';')) &&
                       !value.contains(QLatin1Char('{')) && !value.contains(QLatin1Char('}')) &&
                       value == value.trimmed();
    if (plain) {
        return value;
    }
    QString braced = value;
    braced.replace(QLatin1String("}"), QLatin1String("}}"));
    return QLatin1Char('{') + braced + QLatin1Char('}');
}

}  // namespace ado
