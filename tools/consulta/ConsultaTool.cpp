#include "ConsultaTool.h"

#include <QCommandLineOption>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>
#include <exception>

#include "CommandLine.h"
#include "ConnectionOptions.h"
#include "ConsoleDialogs.h"
#include "DbTool.h"
#include "DemoDatabase.h"
#include "SentenciasConsulta.h"
#include "StandardOutput.h"
#include "cheques/Version.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/LeerConfig.h"
#include "cheques/lookup/Lib_ClsCons3.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/ui/Dialogs.h"

namespace tools {

namespace {

constexpr int kDigitosCantidad = 15;

// The options that map onto the request, and the tool's own.
struct Opciones {
    QCommandLineOption checks{QStringLiteral("checks"),
                              QStringLiteral("rows carry check boxes: several are chosen")};
    QCommandLineOption cantidades{QStringLiteral("cantidades"),
                                  QStringLiteral("quantities in the \"Cantidad\" column")};
    QCommandLineOption campo{QStringLiteral("campo"),
                             QStringLiteral("the column whose text is the chosen value (the "
                                            "first column when not given)"),
                             QStringLiteral("F")};
    QCommandLineOption devueltos{QStringLiteral("devueltos"),
                                 QStringLiteral("columns whose texts a single choice returns"),
                                 QStringLiteral("F1,F2")};
    QCommandLineOption clave{QStringLiteral("clave"), QStringLiteral("the first search text"),
                             QStringLiteral("T")};
    QCommandLineOption busqueda{QStringLiteral("busqueda"),
                                QStringLiteral("the search and sort column"), QStringLiteral("F")};
    QCommandLineOption where{QStringLiteral("where"),
                             QStringLiteral("the condition for a query mask without one"),
                             QStringLiteral("C")};
    QCommandLineOption sentencia{QStringLiteral("sentencia"),
                                 QStringLiteral("the statement for a table name, used as it is"),
                                 QStringLiteral("SQL")};
    QCommandLineOption mascaras{QStringLiteral("mascaras"),
                                QStringLiteral("build statements from this query-mask file"),
                                QStringLiteral("FILE")};
    QCommandLineOption defaults{QStringLiteral("defaults"),
                                QStringLiteral("rows whose value occurs in T start ticked"),
                                QStringLiteral("T")};
    QCommandLineOption tree{
        QStringLiteral("tree"),
        QStringLiteral("the tree window: a SELECT of a code and its description as an outline; "
                       "it returns codes of --campo IDFAMILIA, IDPOSICION or CODIGO")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("prints the choice as one JSON object")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("shows this help")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("shows the version")};

    QList<QCommandLineOption> Todas() const {
        return {checks,    cantidades, campo,    devueltos, clave, busqueda, where,
                sentencia, mascaras,   defaults, tree,      json,  help,     version};
    }
};

// Without --campo the choice is the first column's text, as with check boxes: the list window is
// told that column's caption as soon as its columns are known.
void PrimeraColumnaPorDefecto(lookup::Lib_FrmCons3& lista) {
    if (!lista.CampoDevuelto.isEmpty()) {
        return;
    }
    const lookup::ModeloConsulta& modelo = lista.ListView1()->Modelo();
    QObject::connect(&modelo, &QAbstractItemModel::modelReset, &lista, [&lista, &modelo] {
        if (!modelo.Titulos().isEmpty()) {
            lista.CampoDevuelto = modelo.Titulos().front();
        }
    });
}

// The installed dialogs, counting the windows shown through them (a request that showed no
// window made no choice) and copying every message box to err: the box tells the clerk why the
// request failed, the copy tells the script.
class VentanasContadas : public ui::Dialogs {
  public:
    explicit VentanasContadas(QTextStream& err)
        : otros_(ui::Dialogs::Current()), instalado_(*this), err_(err) {}

    int Ventanas() const { return ventanas_; }

    int MsgBox(const QString& prompt, int style, const QString& title) override {
        err_ << "consulta: " << ConsoleText(QStringLiteral("box"), title, prompt);
        err_.flush();
        return otros_.MsgBox(prompt, style, title);
    }
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override {
        return otros_.InputBox(prompt, title, defaultText);
    }
    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override {
        return otros_.PopupMenu(menu, globalPos);
    }
    void ShowModal(QWidget& window) override {
        ++ventanas_;
        if (auto* lista = qobject_cast<lookup::Lib_FrmCons3*>(&window)) {
            PrimeraColumnaPorDefecto(*lista);
        }
        otros_.ShowModal(window);
    }
    QSize ScreenSize() const override { return otros_.ScreenSize(); }
    QList<QRect> ScreenGeometries() const override { return otros_.ScreenGeometries(); }
    int TextWidth(const QFont& font, const QString& text) const override {
        return otros_.TextWidth(font, text);
    }

  private:
    ui::Dialogs& otros_;
    ui::ScopedDialogs instalado_;
    QTextStream& err_;
    int ventanas_ = 0;
};

// What was asked for on the command line.
struct Pedido {
    ConnectionOptions conexion;
    QString sql;
    bool checks = false;
    bool cantidades = false;
    QString campo;
    std::optional<QString> devueltos;
    QString clave;
    QString busqueda;
    QString where;
    QString sentencia;
    std::optional<QString> mascaras;
    QString defaults;
    bool tree = false;
    bool json = false;
    bool help = false;
    bool version = false;
    bool contrasenaLeida = false;
};

QString Uso() {
    const Opciones opciones;
    const ConnectionOptions conexion;
    CommandLine line;
    conexion.AddConnectionString(line);
    conexion.AddOpening(line);
    line.AddOptions(opciones.Todas());
    line.Parser().setApplicationDescription(
        QStringLiteral("Asks the clerk to pick a record of a table or of a SELECT statement.\n"
                       "Without --conn it opens the demo database and its query masks.\n"
                       "Exit status: 0 chosen, 1 cancelled or failed, 2 bad arguments, 3 a "
                       "choice that holds nothing."));
    line.Parser().addPositionalArgument(QStringLiteral("table-or-select"),
                                        QStringLiteral("a table or view name, or a SELECT"));
    return line.HelpText();
}

int MalUso(QTextStream& err, const QString& problema) {
    err << "consulta: " << problema << '\n' << Uso();
    return kExitUsage;
}

int Fallo(QTextStream& err, const QString& motivo) {
    err << "consulta: " << motivo << '\n';
    return kExitFailed;
}

// Reads the command line; the problem as text when it cannot be used.
std::optional<QString> Leer(const QStringList& args, Pedido& pedido) {
    const Opciones o;
    CommandLine line;
    pedido.conexion.AddConnectionString(line);
    pedido.conexion.AddOpening(line);
    line.AddOptions(o.Todas());
    if (!line.Parse(QStringList{QStringLiteral("consulta")} + args)) {
        return line.ErrorText();
    }
    pedido.help = line.IsSet(o.help);
    pedido.version = line.IsSet(o.version);
    if (pedido.help || pedido.version) {
        return std::nullopt;
    }
    pedido.conexion.Read(line);
    const QStringList positional = line.Positional();
    if (positional.size() != 1) {
        return QStringLiteral("give one table name or SELECT statement");
    }
    pedido.sql = positional.front();
    // A SELECT statement is the clerk's own SQL; a table name and the search column are written
    // into the statements the request builds, and so must be names.
    if (!lookup::EsSentenciaCompleta(pedido.sql)) {
        if (std::optional<QString> problema =
                NotAnIdentifier(QStringLiteral("TABLE"), pedido.sql)) {
            return problema;
        }
    }
    pedido.checks = line.IsSet(o.checks);
    pedido.cantidades = line.IsSet(o.cantidades);
    pedido.campo = line.Value(o.campo).value_or(QString());
    pedido.devueltos = line.Value(o.devueltos);
    pedido.clave = line.Value(o.clave).value_or(QString());
    pedido.busqueda = line.Value(o.busqueda).value_or(QString());
    if (!pedido.busqueda.isEmpty()) {
        if (std::optional<QString> problema =
                NotAnIdentifier(QStringLiteral("--busqueda"), pedido.busqueda)) {
            return problema;
        }
    }
    pedido.where = line.Value(o.where).value_or(QString());
    pedido.sentencia = line.Value(o.sentencia).value_or(QString());
    pedido.mascaras = line.Value(o.mascaras);
    pedido.defaults = line.Value(o.defaults).value_or(QString());
    pedido.tree = line.IsSet(o.tree);
    pedido.json = line.IsSet(o.json);
    return std::nullopt;
}

rt::CollectionRef Columnas(const QString& lista) {
    rt::CollectionRef columnas = rt::NewCollection();
    for (const QString& columna : lista.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        columnas->Add(columna.trimmed());
    }
    return columnas;
}

QString TablaDeConfiguracion() {
    const QString tabla = db::gTablaConfiguracion().trimmed();
    return tabla.isEmpty() ? QStringLiteral("TA_CONFIGURACION") : tabla;
}

QString Cantidad(const rt::Variant& valor) {
    return QString::number(valor.ToDouble(), 'g', kDigitosCantidad);
}

// Whether the text at i is the word "from".
bool EsFrom(const QString& sql, qsizetype i) {
    const auto palabra = [&sql](qsizetype j) {
        return j >= 0 && j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == u'_');
    };
    return !palabra(i - 1) && !palabra(i + 4) &&
           QStringView(sql).mid(i, 4).compare(u"from", Qt::CaseInsensitive) == 0;
}

// How many columns a SELECT lists (the commas outside parentheses, quotes and brackets before its
// FROM); nothing for a text that is no SELECT or that lists "*".
std::optional<int> ColumnasDeSelect(const QString& sql) {
    static const QRegularExpression select(QStringLiteral(R"(^\s*select\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch inicio = select.match(sql);
    if (!inicio.hasMatch()) {
        return std::nullopt;
    }
    int columnas = 1;
    int profundidad = 0;
    QChar cierre;
    for (qsizetype i = inicio.capturedEnd(); i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!cierre.isNull()) {
            cierre = c == cierre ? QChar() : cierre;
        } else if (c == u'\'' || c == u'"') {
            cierre = c;
        } else if (c == u'[') {
            cierre = u']';
        } else if (c == u'(' || c == u')') {
            profundidad += c == u'(' ? 1 : -1;
        } else if (profundidad == 0 && c == u',') {
            ++columnas;
        } else if (profundidad == 0 && c == u'*') {
            return std::nullopt;
        } else if (profundidad == 0 && EsFrom(sql, i)) {
            break;
        }
    }
    return columnas;
}

// The tree window hands back a code only for these fields, each looked up in its own table.
bool CampoDelArbol(const QString& campo) {
    for (const char* admitido : {"IDFAMILIA", "IDPOSICION", "CODIGO"}) {
        if (campo.trimmed().compare(QLatin1String(admitido), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// What the tree road accepts, said before its window opens; the window opens all the same.
void AvisarDelArbol(const Pedido& pedido, QTextStream& err) {
    if (!CampoDelArbol(pedido.campo)) {
        err << "consulta: warning: the tree window returns a code only for --campo IDFAMILIA, "
               "IDPOSICION or CODIGO, found in V_TA_FAMILIAS, MA_POSICIONES or TA_CCOSTO; any "
               "other choice comes back empty (exit 3)\n";
    }
    if (ColumnasDeSelect(pedido.sql) != 2) {
        err << "consulta: warning: the tree window reads a SELECT of two columns, a code and its "
               "description, and draws the outline by the codes' lengths; this is not one\n";
    }
    err.flush();
}

// A choice that holds nothing: no value and no values (an empty row chosen, nothing ticked, a
// tree code that is none of the families, positions or cost centres).
bool NadaElegido(const lookup::Lib_ClsCons3& request) {
    return request.ValorDevuelto.ToText().isEmpty() && request.Valores->Count() == 0;
}

void Escribir(const lookup::Lib_ClsCons3& request, QTextStream& out) {
    out << EscapeField(request.ValorDevuelto) << '\n';
    const rt::CollectionRef& cantidades = request.Cantidades;
    for (int i = 1; i <= request.Valores->Count(); ++i) {
        out << EscapeField(request.Valores->Item(i));
        if (cantidades && i <= cantidades->Count()) {
            out << '\t' << Cantidad(cantidades->Item(i));
        }
        out << '\n';
    }
}

void EscribirJson(const lookup::Lib_ClsCons3& request, QTextStream& out) {
    QJsonArray valores;
    for (int i = 1; i <= request.Valores->Count(); ++i) {
        valores.append(request.Valores->Item(i).ToText());
    }
    QJsonArray cantidades;
    for (int i = 1; request.Cantidades && i <= request.Cantidades->Count(); ++i) {
        cantidades.append(request.Cantidades->Item(i).ToDouble());
    }
    const QString valor = request.ValorDevuelto.ToText();
    const QJsonValue devuelto = valor.isEmpty() ? QJsonValue() : QJsonValue(valor);
    const QJsonObject eleccion{{QStringLiteral("ValorDevuelto"), devuelto},
                               {QStringLiteral("Valores"), valores},
                               {QStringLiteral("Cantidades"), cantidades}};
    out << QJsonDocument(eleccion).toJson(QJsonDocument::Compact) << '\n';
}

int Consultar(const Pedido& pedido, QTextStream& out, QTextStream& err) {
    VentanasContadas ventanas(err);
    db::DB_Dll& db = db::DB_Dll::Default();
    if (!pedido.conexion.Open(db)) {
        return Fallo(err, QStringLiteral("the connection could not be opened"));
    }
    // Without it every setting the request reads would end in an error box.
    const QString configuracion = TablaDeConfiguracion();
    if (!db.ExisteTablaDB(configuracion)) {
        return Fallo(
            err, QStringLiteral("the database has no configuration table %1").arg(configuracion));
    }
    lookup::Lib_ClsCons3 request;
    request.Checks = pedido.checks;
    request.UsaCantidades = pedido.cantidades;
    request.CampoDevuelto = pedido.campo;
    request.GrabarAnchos = true;
    if (pedido.mascaras) {
        request.gUsarMascarasConsultas = true;
        request.gRutaMascaraConsultas = *pedido.mascaras;
    }
    rt::CollectionRef devueltos = pedido.devueltos ? Columnas(*pedido.devueltos) : nullptr;
    QString busqueda = pedido.busqueda;
    QString where = pedido.where;
    request.ConsultaSearch(pedido.sql, devueltos ? &devueltos : nullptr, pedido.clave, &busqueda,
                           &where, pedido.sentencia, pedido.tree, pedido.defaults);
    if (ventanas.Ventanas() == 0) {
        return Fallo(err, QStringLiteral("no list was shown"));
    }
    if (!request.Valores) {
        return Fallo(err, QStringLiteral("cancelled"));
    }
    if (pedido.json) {
        EscribirJson(request, out);
    } else {
        Escribir(request, out);
    }
    return NadaElegido(request) ? kExitNothingChosen : kExitOk;
}

// Without --conn, the demo database (made when missing) and its query masks; says so once.
bool UsarDemoSinConexion(Pedido& pedido, QTextStream& err) {
    const DemoDatabase demo;
    QString error;
    const std::optional<QString> nota = pedido.conexion.UseDemoWithoutConn(demo, error);
    if (!nota) {
        Fallo(err, QStringLiteral("cannot make the demo database: %1").arg(error));
        return false;
    }
    if (nota->isEmpty()) {
        return true;
    }
    err << "consulta: " << *nota << '\n';
    err.flush();  // before the window opens
    if (!pedido.mascaras) {
        pedido.mascaras = demo.MasksPath();
    }
    return true;
}

// The password joins the connection string; given with --conn it is read with the command line,
// so that a password that cannot be had is a usage error told without a display. Without --conn
// it joins the demo database's string, once that is made.
std::optional<QString> LeerContrasena(Pedido& pedido) {
    if (pedido.contrasenaLeida) {
        return std::nullopt;
    }
    pedido.contrasenaLeida = true;
    return pedido.conexion.ReadPassword();
}

}  // namespace

struct ConsultaCommand::State {
    Pedido pedido;
    std::optional<QString> problema;  // why the command line cannot be used
};

ConsultaCommand::ConsultaCommand(const QStringList& args) : state_(std::make_unique<State>()) {
    Pedido& pedido = state_->pedido;
    state_->problema = Leer(args, pedido);
    if (!state_->problema && !pedido.help && !pedido.version && pedido.conexion.Conn()) {
        state_->problema = LeerContrasena(pedido);
    }
}

ConsultaCommand::~ConsultaCommand() = default;

bool ConsultaCommand::NeedsWindows() const {
    const Pedido& pedido = state_->pedido;
    return !state_->problema && !pedido.help && !pedido.version;
}

namespace {

int Ejecutar(Pedido& pedido, QTextStream& out, QTextStream& err,
             const std::function<void()>& abrirVentanas) {
    if (pedido.help) {
        out << Uso();
        return kExitOk;
    }
    if (pedido.version) {
        out << "consulta " << rt::Version() << '\n';
        return kExitOk;
    }
    if (!UsarDemoSinConexion(pedido, err)) {
        return kExitFailed;
    }
    if (pedido.tree) {
        AvisarDelArbol(pedido, err);
    }
    if (const std::optional<QString> problema = LeerContrasena(pedido)) {
        return MalUso(err, *problema);
    }
    if (abrirVentanas) {
        abrirVentanas();
    }
    try {
        return Consultar(pedido, out, err);
    } catch (const rt::RuntimeError& e) {
        return Fallo(err, QStringLiteral("error %1: %2").arg(e.Number()).arg(e.Description()));
    } catch (const std::exception& e) {
        return Fallo(err, QString::fromLocal8Bit(e.what()));
    }
}

}  // namespace

int ConsultaCommand::Run(QTextStream& out, QTextStream& err,
                         const std::function<void()>& openWindows) {
    const int codigo = state_->problema ? MalUso(err, *state_->problema)
                                        : Ejecutar(state_->pedido, out, err, openWindows);
    if (const std::optional<QString> falla = OutputFailure(out)) {
        return Fallo(err, *falla);
    }
    return codigo;
}

int RunConsulta(const QStringList& args, QTextStream& out, QTextStream& err) {
    return ConsultaCommand(args).Run(out, err);
}

}  // namespace tools
