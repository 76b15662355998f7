#include "DbTool.h"

#include <QFile>
#include <cstdio>
#include <optional>

#include "ConsoleDialogs.h"
#include "ado/Enums.h"
#include "db/DB_Dll.h"
#include "runtime/RuntimeError.h"

namespace tools {

namespace {

// The connection string translate assumes without --conn: any string naming ORACLE makes the
// rewrite act.
const QString kOracleConn = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORACLE");

const char* const kUsage =
    "usage:\n"
    "  dbtool translate [--conn STRING] [SQL]   Oracle rewrite of SQL (or standard input)\n"
    "  dbtool synonyms [--admin] [SQL]          synonym redirection of SQL (or standard input)\n"
    "  dbtool query --conn STRING SQL           rows of SQL, tab-separated, with a header\n"
    "  dbtool exec --conn STRING [FILE]         runs FILE (or standard input) as one statement\n"
    "                                           or script and prints the records affected\n";

struct Arguments {
    QString command;
    std::optional<QString> conn;
    bool admin = false;
    QStringList positional;
};

void Write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int Usage(const QString& problem) {
    Write(stderr, QStringLiteral("dbtool: %1\n").arg(problem));
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

int Failed(const QString& message) {
    Write(stderr, QStringLiteral("dbtool: %1\n").arg(message));
    return kExitFailed;
}

// Reads the options the command accepts; anything else is a usage error (returned as text).
std::optional<QString> Parse(const QStringList& args, Arguments& out) {
    if (args.isEmpty()) {
        return QStringLiteral("no command given");
    }
    out.command = args.front();
    const bool takesConn = out.command != QLatin1String("synonyms");
    const bool takesAdmin = out.command == QLatin1String("synonyms");
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            out.positional << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (takesConn && arg == QLatin1String("--conn")) {
            if (++i == args.size()) {
                return QStringLiteral("--conn needs a connection string");
            }
            out.conn = args[i];
        } else if (takesConn && arg.startsWith(QLatin1String("--conn="))) {
            out.conn = arg.mid(7);
        } else if (takesAdmin && arg == QLatin1String("--admin")) {
            out.admin = true;
        } else {
            return QStringLiteral("unknown option %1").arg(arg);
        }
    }
    return std::nullopt;
}

QString ReadStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(in.readAll());
}

// The statement of a text command: the argument, or standard input without its final line break.
QString Statement(const Arguments& a) {
    if (!a.positional.isEmpty()) {
        return a.positional.front();
    }
    QString text = ReadStandardInput();
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
        if (text.endsWith(QLatin1Char('\r'))) {
            text.chop(1);
        }
    }
    return text;
}

// Opens the default component's connection the way the program does.
bool Open(db::DB_Dll& db, const QString& conn) {
    db.OpenServerADODB(false, 3, conn, false);
    return db.gCnn()->State() == ado::adStateOpen;
}

int Translate(const Arguments& a) {
    db::DB_Dll& db = db::DB_Dll::Default();
    db.gConnString = a.conn.value_or(kOracleConn);
    Write(stdout, db.ORACLE_Dicc(Statement(a)) + QLatin1Char('\n'));
    return kExitOk;
}

int Synonyms(const Arguments& a) {
    db::DB_Dll& db = db::DB_Dll::Default();
    db.gEsAdmin = a.admin;
    Write(stdout, db.SS_TSinonimos(Statement(a)) + QLatin1Char('\n'));
    return kExitOk;
}

QString Line(const ado::Fields& fields, bool header) {
    QStringList parts;
    for (int i = 0; i < fields.Count(); ++i) {
        parts << (header ? EscapeField(fields[i].Name()) : EscapeField(fields[i].Value()));
    }
    return parts.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

int Query(const Arguments& a, const ConsoleDialogs& dialogs) {
    db::DB_Dll& db = db::DB_Dll::Default();
    if (!Open(db, *a.conn)) {
        return Failed(QStringLiteral("the connection could not be opened"));
    }
    QString sql = a.positional.front();
    ado::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (dialogs.BoxCount() > 0) {
        return kExitFailed;
    }
    if (rs.State() != ado::adStateOpen) {
        return Failed(QStringLiteral("the statement returned no rows to show"));
    }
    Write(stdout, Line(rs.Fields(), true));
    for (; !rs.Eof(); rs.MoveNext()) {
        Write(stdout, Line(rs.Fields(), false));
    }
    db.CierraRecordset(rs);
    return dialogs.BoxCount() > 0 ? kExitFailed : kExitOk;
}

// A failure EjecutaConsultaSQL passes over in silence still shows in the connection's errors
// (warnings carry positive numbers).
bool ReportErrors(const ado::Errors& errors) {
    bool failed = false;
    for (const ado::Error& e : errors) {
        if (e.Number() < 0) {
            Write(stderr,
                  QStringLiteral("dbtool: error %1: %2\n").arg(e.Number()).arg(e.Description()));
            failed = true;
        }
    }
    return failed;
}

int Exec(const Arguments& a, const ConsoleDialogs& dialogs) {
    QString text;
    if (a.positional.isEmpty()) {
        text = ReadStandardInput();
    } else {
        QFile file(a.positional.front());
        if (!file.open(QIODevice::ReadOnly)) {
            return Failed(
                QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        }
        text = QString::fromUtf8(file.readAll());
    }
    db::DB_Dll& db = db::DB_Dll::Default();
    if (!Open(db, *a.conn)) {
        return Failed(QStringLiteral("the connection could not be opened"));
    }
    db.gCnn()->Errors().Clear();
    int32_t affected = 0;
    db.EjecutaConsultaSQL(text, &affected);
    Write(stdout, QStringLiteral("records affected: %1\n").arg(affected));
    const bool silentFailure = ReportErrors(db.gCnn()->Errors());
    return dialogs.BoxCount() > 0 || silentFailure ? kExitFailed : kExitOk;
}

int Dispatch(const Arguments& a, const ConsoleDialogs& dialogs) {
    const bool needsConn =
        a.command == QLatin1String("query") || a.command == QLatin1String("exec");
    if (needsConn && !a.conn) {
        return Usage(QStringLiteral("%1 needs --conn STRING").arg(a.command));
    }
    if (a.positional.size() > 1) {
        return Usage(QStringLiteral("too many arguments"));
    }
    if (a.command == QLatin1String("translate")) {
        return Translate(a);
    }
    if (a.command == QLatin1String("synonyms")) {
        return Synonyms(a);
    }
    if (a.command == QLatin1String("query")) {
        if (a.positional.isEmpty()) {
            return Usage(QStringLiteral("query needs a statement"));
        }
        return Query(a, dialogs);
    }
    if (a.command == QLatin1String("exec")) {
        return Exec(a, dialogs);
    }
    return Usage(QStringLiteral("unknown command %1").arg(a.command));
}

}  // namespace

QString EscapeField(const rt::Variant& value) {
    if (value.IsNull() || value.IsEmpty()) {
        return {};
    }
    const QString text = value.ToText();
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\')) {
            out += QLatin1String("\\\\");
        } else if (c == QLatin1Char('\t')) {
            out += QLatin1String("\\t");
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

int RunDbTool(const QStringList& args, const ConsoleDialogs& dialogs) {
    if (args.size() == 1 &&
        (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    Arguments a;
    if (const std::optional<QString> problem = Parse(args, a)) {
        return Usage(*problem);
    }
    try {
        return Dispatch(a, dialogs);
    } catch (const rt::RuntimeError& e) {
        return Failed(QStringLiteral("error %1: %2").arg(e.Number()).arg(e.Description()));
    } catch (const std::exception& e) {
        return Failed(QString::fromLocal8Bit(e.what()));
    }
}

}  // namespace tools
