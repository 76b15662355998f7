#include "DbTool.h"

#include <QFile>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "CommandLine.h"
#include "ConnectionOptions.h"
#include "ConsoleDialogs.h"
#include "DemoDatabase.h"
#include "StandardOutput.h"
#include "TextInput.h"
#include "cheques/Version.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/LeerConfig.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/VarType.h"

namespace tools {

namespace {

// The connection string translate assumes without --conn: any string naming ORACLE makes the
// rewrite act.
const QString kOracleConn = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORACLE");

// The commands, as the usage lists them; the options of the opening follow from their own
// definitions.
const char* const kCommandsUsage =
    "  dbtool translate [--conn STRING] [SQL]   Oracle rewrite of SQL (or standard input)\n"
    "  dbtool synonyms [--admin] [SQL]          synonym redirection of SQL (or standard input)\n"
    "  dbtool query [--conn STRING] SQL         rows of SQL, tab-separated, with a header (or\n"
    "                                           the records affected by a statement without rows)\n"
    "  dbtool exec [--conn STRING] [FILE]       runs FILE (or standard input) as one statement\n"
    "                                           or script and prints the records affected\n"
    "  translate, synonyms and exec read their input as UTF-8 unless --encoding NAME says\n"
    "  otherwise (utf-8, windows-1252, latin1)\n"
    "  dbtool config [--conn STRING] KEY        setting KEY: value, a tab, the auxiliary value\n"
    "  dbtool max|min|last [--conn STRING] TABLE FIELD [CONDITION]\n"
    "                                           maximum, minimum or last code (0 if none)\n"
    "  dbtool exists|exists-st [--conn STRING] TABLE VALUE [FIELD]\n"
    "                                           true or false\n"
    "  dbtool datos [--conn STRING] TABLE VALUE RETURNED_FIELD [FIELD]\n"
    "                                           one value of the row of VALUE\n"
    "  dbtool has-table [--conn STRING] TABLE   true or false\n"
    "  dbtool has-column [--conn STRING] TABLE COLUMN\n"
    "                                           true or false\n"
    "  dbtool ensure-column [--conn STRING] TABLE COLUMN TYPE [--null] [--default SQL]\n"
    "                                           adds COLUMN when missing; prints true or false\n"
    "  dbtool demo [--reset]                    path of the demo database, made when missing\n"
    "                                           (made again with --reset)\n"
    "Without --conn the commands that open a connection open the demo database.\n";

// The options of dbtool's own commands, and help and version.
struct ToolOptions {
    QCommandLineOption admin{QStringLiteral("admin"),
                             QStringLiteral("synonyms: redirect as for an administrator")};
    QCommandLineOption nullable{QStringLiteral("null"),
                                QStringLiteral("ensure-column: the column allows nulls")};
    QCommandLineOption defaultSql{QStringLiteral("default"),
                                  QStringLiteral("ensure-column: default value, written as SQL"),
                                  QStringLiteral("SQL")};
    QCommandLineOption encoding{
        QStringLiteral("encoding"),
        QStringLiteral("translate, synonyms, exec: the input's encoding (utf-8, windows-1252, "
                       "latin1)"),
        QStringLiteral("NAME")};
    QCommandLineOption reset{QStringLiteral("reset"),
                             QStringLiteral("demo: makes the demo database again")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("shows this help")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("shows the version")};
};

// Which options a command takes besides --help.
enum OptionGroup : unsigned {
    kConnString = 1,  // --conn
    kOpening = 2,     // --ask, --user, --no-admin-check: the command opens the connection
    kAdmin = 4,       // --admin
    kColumn = 8,      // --null, --default
    kEncoding = 16,   // --encoding: the command reads text from a file or standard input
    kReset = 32,      // --reset
};

struct Arguments {
    QString command;
    ConnectionOptions connection;
    bool admin = false;
    bool nullable = false;
    std::optional<QString> defaultSql;
    Encoding encoding = Encoding::Utf8;
    bool reset = false;
    QStringList positional;
    bool help = false;
};

using Handler = int (*)(const Arguments&, const ConsoleDialogs&);

// One subcommand: its name, the options it takes, how many positional arguments it takes,
// their names as the usage writes them, and what it does.
struct Command {
    const char* name;
    unsigned options;
    int minArgs;
    int maxArgs;
    const char* arguments;
    Handler run;

    bool Opens() const { return (options & kOpening) != 0; }
    // Whether the command reads its text from standard input: given no argument, the commands
    // that take --encoding do.
    bool ReadsStandardInput(const QStringList& positional) const {
        return (options & kEncoding) != 0 && positional.isEmpty();
    }
};

const Command* FindCommand(const QString& name);

void Write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

QString UsageText() {
    return QStringLiteral("usage:\n") + QString::fromLatin1(kCommandsUsage) +
           QStringLiteral("options of the commands that open a connection:\n") +
           ConnectionOptions().OpeningUsage();
}

// Every option of every command, and help and version.
void AddEveryOption(CommandLine& line) {
    const ToolOptions tool;
    const ConnectionOptions connection;
    connection.AddConnectionString(line);
    connection.AddOpening(line);
    line.AddOptions({tool.admin, tool.nullable, tool.defaultSql, tool.encoding, tool.reset,
                     tool.help, tool.version});
}

// The generated help of every option, then the commands.
QString HelpText() {
    CommandLine line;
    AddEveryOption(line);
    line.Parser().setApplicationDescription(
        QStringLiteral("The database component from the command line."));
    line.Parser().addPositionalArgument(QStringLiteral("command"),
                                        QStringLiteral("one of the commands below"),
                                        QStringLiteral("command [arguments]"));
    return line.HelpText() + QLatin1Char('\n') + UsageText();
}

// What is wrong with arguments that begin with an option rather than a command: the option
// itself (unknown, or missing its value), or else that the command comes first.
QString OptionBeforeCommand(const QStringList& args) {
    CommandLine line;
    AddEveryOption(line);
    if (!line.Parse(QStringList{QStringLiteral("dbtool")} + args)) {
        return line.ErrorText();
    }
    return QStringLiteral("the command comes before its options: dbtool COMMAND [options] ...");
}

int Usage(const QString& problem) {
    Write(stderr, QStringLiteral("dbtool: %1\n").arg(problem));
    Write(stderr, UsageText());
    return kExitUsage;
}

int Failed(const QString& message) {
    Write(stderr, QStringLiteral("dbtool: %1\n").arg(message));
    return kExitFailed;
}

// Reads the options the command takes; anything else is a usage error (returned as text).
std::optional<QString> Parse(const QStringList& args, Arguments& out) {
    if (args.isEmpty()) {
        return QStringLiteral("no command given");
    }
    out.command = args.front();
    if (out.command.startsWith(QLatin1String("--"))) {
        return OptionBeforeCommand(args);
    }
    const Command* command = FindCommand(out.command);
    if (command == nullptr) {
        return QStringLiteral("unknown command %1").arg(out.command);
    }
    const ToolOptions tool;
    CommandLine line;
    line.AddOption(tool.help);
    if (command->options & kConnString) {
        out.connection.AddConnectionString(line);
    }
    if (command->options & kOpening) {
        out.connection.AddOpening(line);
    }
    if (command->options & kAdmin) {
        line.AddOption(tool.admin);
    }
    if (command->options & kColumn) {
        line.AddOptions({tool.nullable, tool.defaultSql});
    }
    if (command->options & kEncoding) {
        line.AddOption(tool.encoding);
    }
    if (command->options & kReset) {
        line.AddOption(tool.reset);
    }
    if (!line.Parse(args)) {
        return line.ErrorText();
    }
    if (const std::optional<QString> name = line.Value(tool.encoding)) {
        const std::optional<Encoding> encoding = EncodingNamed(*name);
        if (!encoding) {
            return QStringLiteral("unknown encoding %1").arg(*name);
        }
        out.encoding = *encoding;
    }
    out.connection.Read(line);
    out.admin = line.IsSet(tool.admin);
    out.nullable = line.IsSet(tool.nullable);
    out.defaultSql = line.Value(tool.defaultSql);
    out.reset = line.IsSet(tool.reset);
    out.help = line.IsSet(tool.help);
    out.positional = line.Positional();
    return std::nullopt;
}

// Input that cannot be read as the text it should be: a usage error (exit 2), reported before
// anything runs.
class BadInput : public std::runtime_error {
  public:
    explicit BadInput(const QString& problem) : std::runtime_error(problem.toStdString()) {}
};

QString Decoded(const QByteArray& bytes, const Arguments& a, const QString& source) {
    DecodedText decoded = DecodeText(bytes, a.encoding, source);
    if (!decoded.problem.isEmpty()) {
        throw BadInput(decoded.problem);
    }
    return decoded.text;
}

QString ReadStandardInput(const Arguments& a) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        return {};
    }
    return Decoded(in.readAll(), a, QStringLiteral("standard input"));
}

// The statement of a text command: the argument, or standard input without its final line break.
QString Statement(const Arguments& a) {
    if (!a.positional.isEmpty()) {
        return a.positional.front();
    }
    QString text = ReadStandardInput(a);
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
        if (text.endsWith(QLatin1Char('\r'))) {
            text.chop(1);
        }
    }
    return text;
}

// Opens the default component's connection the way the program does.
bool Open(db::DB_Dll& db, const Arguments& a) {
    return a.connection.Open(db);
}

int NotOpened() {
    return Failed(QStringLiteral("the connection could not be opened"));
}

int Translate(const Arguments& a) {
    db::DB_Dll& db = db::DB_Dll::Default();
    db.gConnString = a.connection.Conn().value_or(kOracleConn);
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

// The exit status once the command has done its work: a box shown on the way or a statement
// that failed in silence makes it a failure.
int Finished(db::DB_Dll& db, const ConsoleDialogs& dialogs) {
    const bool silentFailure = ReportErrors(db.gCnn()->Errors());
    return dialogs.BoxCount() > 0 || silentFailure ? kExitFailed : kExitOk;
}

QString Affected(int32_t affected) {
    return QStringLiteral("records affected: %1\n").arg(affected);
}

// Writes the command's result only when it succeeded: a failed command leaves standard output
// empty, so that no script takes a half answer for one.
int PrintedIfDone(int status, const QString& result) {
    if (status == kExitOk) {
        Write(stdout, result);
    }
    return status;
}

int Query(const Arguments& a, const ConsoleDialogs& dialogs) {
    db::DB_Dll& db = db::DB_Dll::Default();
    if (!Open(db, a)) {
        return NotOpened();
    }
    db.gCnn()->Errors().Clear();
    QString sql = a.positional.front();
    ado::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (dialogs.BoxCount() > 0) {
        return kExitFailed;
    }
    if (rs.State() != ado::adStateOpen) {
        // A statement that returns no rows has run: it did what was asked, as exec does.
        return PrintedIfDone(Finished(db, dialogs), Affected(rs.RecordsAffected()));
    }
    // Rows are written as they are read; once standard output refuses them there is no point
    // in reading on (the failure is reported at exit).
    Write(stdout, Line(rs.Fields(), true));
    for (; !rs.Eof() && std::ferror(stdout) == 0; rs.MoveNext()) {
        Write(stdout, Line(rs.Fields(), false));
    }
    db.CierraRecordset(rs);
    return Finished(db, dialogs);
}

// Closing the connection would roll back a transaction the script left open; the tool does it
// now and says so, rather than report work that will not stay.
bool RollsBackAnOpenTransaction(ado::Connection& cnn) {
    if (!cnn.InTransaction()) {
        return false;
    }
    cnn.RollbackTrans();
    Write(stderr, QStringLiteral("dbtool: the script left a transaction open (BEGIN TRANSACTION "
                                 "without COMMIT); it was rolled back\n"));
    return true;
}

int Exec(const Arguments& a, const ConsoleDialogs& dialogs) {
    QString text;
    if (a.positional.isEmpty()) {
        text = ReadStandardInput(a);
    } else {
        QFile file(a.positional.front());
        if (!file.open(QIODevice::ReadOnly)) {
            return Failed(
                QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        }
        text = Decoded(file.readAll(), a, file.fileName());
    }
    db::DB_Dll& db = db::DB_Dll::Default();
    if (!Open(db, a)) {
        return NotOpened();
    }
    db.gCnn()->Errors().Clear();
    int32_t affected = 0;
    db.EjecutaConsultaSQL(text, &affected);
    const int finished = Finished(db, dialogs);
    const int status = RollsBackAnOpenTransaction(*db.gCnn()) ? kExitFailed : finished;
    return PrintedIfDone(status, Affected(affected));
}

QString Bool(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// The optional positional argument at index, or the fallback.
QString Optional(const Arguments& a, int index, const QString& fallback = {}) {
    return a.positional.size() > index ? a.positional[index] : fallback;
}

// Runs the operation on the opened default component.
template <typename Operation>
int OnOpened(const Arguments& a, const ConsoleDialogs& dialogs, Operation operation) {
    db::DB_Dll& db = db::DB_Dll::Default();
    if (!Open(db, a)) {
        return NotOpened();
    }
    if (dialogs.BoxCount() > 0) {
        return kExitFailed;
    }
    db.gCnn()->Errors().Clear();
    const QString result = operation(db);
    return PrintedIfDone(Finished(db, dialogs), result + QLatin1Char('\n'));
}

int Config(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll&) {
        QString aux;
        const QString value = db::LeerConfig(a.positional[0], aux);
        return EscapeField(value) + QLatin1Char('\t') + EscapeField(aux);
    });
}

std::optional<rt::Variant> Condition(const Arguments& a) {
    if (a.positional.size() > 2) {
        return rt::Variant(a.positional[2]);
    }
    return std::nullopt;
}

int Max(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        return EscapeField(
            db.BuscaMaximo(a.positional[0], a.positional[1], std::nullopt, Condition(a)));
    });
}

int Min(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        return EscapeField(
            db.BuscaMinimo(a.positional[0], a.positional[1], std::nullopt, Condition(a)));
    });
}

int Last(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        return EscapeField(
            db.BuscaUltimoCodigo(a.positional[0], a.positional[1], rt::vbString, Optional(a, 2)));
    });
}

int Exists(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        return Bool(db.ExisteEnTabla(a.positional[0], a.positional[1],
                                     Optional(a, 2, QStringLiteral("Codigo"))));
    });
}

int ExistsSt(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        return Bool(db.ExisteEnTablaST(a.positional[0], a.positional[1],
                                       Optional(a, 2, QStringLiteral("Codigo"))));
    });
}

int Datos(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        return EscapeField(db.DatosTabla(a.positional[0], a.positional[1], a.positional[2],
                                         Optional(a, 3, QStringLiteral("Codigo"))));
    });
}

int HasTable(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs,
                    [&](db::DB_Dll& db) { return Bool(db.ExisteTablaDB(a.positional[0])); });
}

int HasColumn(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        return Bool(db.ExisteCampoDB(a.positional[0], a.positional[1]));
    });
}

int EnsureColumn(const Arguments& a, const ConsoleDialogs& dialogs) {
    return OnOpened(a, dialogs, [&](db::DB_Dll& db) {
        std::optional<rt::Variant> defaultValue;
        if (a.defaultSql) {
            defaultValue = rt::Variant(*a.defaultSql);
        }
        return Bool(db.VerCampoDB(a.positional[0], a.positional[1], true, a.positional[2],
                                  a.nullable, defaultValue));
    });
}

// Prints the path of the demo database, made when it is missing or when --reset asks for it.
int Demo(const Arguments& a, const ConsoleDialogs&) {
    const DemoDatabase demo;
    QString error;
    const bool ready = a.reset ? demo.Reset(&error) : demo.Ensure(&error);
    if (!ready) {
        return Failed(QStringLiteral("cannot make the demo database: %1").arg(error));
    }
    Write(stdout, demo.Path() + QLatin1Char('\n'));
    return kExitOk;
}

int QueryCommand(const Arguments& a, const ConsoleDialogs& dialogs) {
    return Query(a, dialogs);
}

int ExecCommand(const Arguments& a, const ConsoleDialogs& dialogs) {
    return Exec(a, dialogs);
}

int TranslateCommand(const Arguments& a, const ConsoleDialogs&) {
    return Translate(a);
}

int SynonymsCommand(const Arguments& a, const ConsoleDialogs&) {
    return Synonyms(a);
}

const Command kCommands[] = {
    {"translate", kConnString | kEncoding, 0, 1, "SQL", TranslateCommand},
    {"synonyms", kAdmin | kEncoding, 0, 1, "SQL", SynonymsCommand},
    {"query", kConnString | kOpening, 1, 1, "SQL", QueryCommand},
    {"exec", kConnString | kOpening | kEncoding, 0, 1, "FILE", ExecCommand},
    {"config", kConnString | kOpening, 1, 1, "KEY", Config},
    {"max", kConnString | kOpening, 2, 3, "TABLE FIELD CONDITION", Max},
    {"min", kConnString | kOpening, 2, 3, "TABLE FIELD CONDITION", Min},
    {"last", kConnString | kOpening, 2, 3, "TABLE FIELD CONDITION", Last},
    {"exists", kConnString | kOpening, 2, 3, "TABLE VALUE FIELD", Exists},
    {"exists-st", kConnString | kOpening, 2, 3, "TABLE VALUE FIELD", ExistsSt},
    {"datos", kConnString | kOpening, 3, 4, "TABLE VALUE RETURNED_FIELD FIELD", Datos},
    {"has-table", kConnString | kOpening, 1, 1, "TABLE", HasTable},
    {"has-column", kConnString | kOpening, 2, 2, "TABLE COLUMN", HasColumn},
    {"ensure-column", kConnString | kOpening | kColumn, 3, 3, "TABLE COLUMN TYPE", EnsureColumn},
    {"demo", kReset, 0, 0, "", Demo},
};

const Command* FindCommand(const QString& name) {
    for (const Command& c : kCommands) {
        if (name == QLatin1String(c.name)) {
            return &c;
        }
    }
    return nullptr;
}

// The arguments that name a table or a column, as the usage names them.
bool NamesATableOrColumn(const QString& argument) {
    static const QStringList kNames{QStringLiteral("TABLE"), QStringLiteral("FIELD"),
                                    QStringLiteral("RETURNED_FIELD"), QStringLiteral("COLUMN")};
    return kNames.contains(argument);
}

// The usage problem of the first table or column argument that is not a name.
std::optional<QString> NotANameWhereOneIsAsked(const Command& command,
                                               const QStringList& positional) {
    const QStringList names =
        QString::fromLatin1(command.arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < positional.size() && i < names.size(); ++i) {
        if (!NamesATableOrColumn(names[i])) {
            continue;
        }
        if (std::optional<QString> problem = NotAnIdentifier(names[i], positional[i])) {
            return problem;
        }
    }
    return std::nullopt;
}

int Dispatch(Arguments& a, const ConsoleDialogs& dialogs) {
    const Command* command = FindCommand(a.command);
    if (a.help) {
        Write(stdout, HelpText());
        return kExitOk;
    }
    if (a.positional.size() > command->maxArgs) {
        return Usage(QStringLiteral("too many arguments"));
    }
    if (a.positional.size() < command->minArgs) {
        return Usage(QStringLiteral("%1 needs more arguments").arg(a.command));
    }
    if (const std::optional<QString> problem = NotANameWhereOneIsAsked(*command, a.positional)) {
        return Usage(*problem);
    }
    if (command->ReadsStandardInput(a.positional) && a.connection.PasswordFromStandardInput()) {
        return Usage(QStringLiteral("%1 reads standard input: give its FILE, or the password with "
                                    "--password-file or CHEQUES_PASSWORD")
                         .arg(a.command));
    }
    if (command->Opens()) {
        QString error;
        const std::optional<QString> note = a.connection.UseDemoWithoutConn(DemoDatabase(), error);
        if (!note) {
            return Failed(QStringLiteral("cannot make the demo database: %1").arg(error));
        }
        if (!note->isEmpty()) {
            Write(stderr, QStringLiteral("dbtool: %1\n").arg(*note));
        }
        if (const std::optional<QString> problem = a.connection.ReadPassword()) {
            return Usage(*problem);
        }
    }
    return command->run(a, dialogs);
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

bool ShowsWindows(const QStringList& args) {
    Arguments a;
    return !Parse(args, a).has_value() && a.connection.Ask();
}

namespace {

int RunCommand(const QStringList& args, const ConsoleDialogs& dialogs) {
    const QString only = args.size() == 1 ? args[0] : QString();
    if (only == QLatin1String("--help") || only == QLatin1String("-h")) {
        Write(stdout, HelpText());
        return kExitOk;
    }
    if (only == QLatin1String("--version") || only == QLatin1String("-v")) {
        Write(stdout, QStringLiteral("dbtool %1\n").arg(QLatin1String(rt::Version())));
        return kExitOk;
    }
    Arguments a;
    if (const std::optional<QString> problem = Parse(args, a)) {
        return Usage(*problem);
    }
    try {
        return Dispatch(a, dialogs);
    } catch (const BadInput& e) {
        Write(stderr, QStringLiteral("dbtool: %1\n").arg(QString::fromStdString(e.what())));
        return kExitUsage;
    } catch (const rt::RuntimeError& e) {
        return Failed(QStringLiteral("error %1: %2").arg(e.Number()).arg(e.Description()));
    } catch (const std::exception& e) {
        return Failed(QString::fromLocal8Bit(e.what()));
    }
}

}  // namespace

int RunDbTool(const QStringList& args, const ConsoleDialogs& dialogs) {
    const int status = RunCommand(args, dialogs);
    if (const std::optional<QString> failure = OutputFailure(stdout)) {
        return Failed(*failure);
    }
    return status;
}

}  // namespace tools
