// The tree lookup window over 10,000 families, beside a QStandardItemModel and a QTreeView filled
// directly from the same SQLite file and statement: loading and showing the outline, and a
// keystroke of the search, without a match and with one on the last node.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QComboBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ModeloArbol.h"
#include "ParYComponente.h"
#include "RatioReporter.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"

namespace {

constexpr int kNodos = 10000;
// The outline: families of two digits, each with sub-families of two more, each with articles'
// groups of two more, until kNodos rows.
constexpr int kPorNivel = 20;
constexpr int kTercerNivel = 25;
constexpr int kIteraciones = 10;
constexpr int kIteracionesTecla = 50;
constexpr double kCargaMs = 300;
constexpr double kTeclaMs = 16;
const char* const kConexionPar = "par";
const QString kSentencia =
    QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");

QString Dos(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The codes of the outline in their order.
std::vector<QString> Codigos() {
    std::vector<QString> codigos;
    for (int a = 1; a <= kPorNivel; ++a) {
        codigos.push_back(Dos(a));
        for (int b = 1; b <= kPorNivel; ++b) {
            codigos.push_back(Dos(a) + Dos(b));
            for (int c = 1; c <= kTercerNivel; ++c) {
                codigos.push_back(Dos(a) + Dos(b) + Dos(c));
            }
        }
    }
    codigos.resize(kNodos);
    return codigos;
}

// One SQLite file of kNodos families, made once, with the program's default database component
// and Qt's SQLite driver both open on it.
class Base {
  public:
    static const Base& Get() {
        static const Base base;
        return base;
    }

    const QString& UltimoCodigo() const { return ultimo_; }

  private:
    Base() {
        AbrirParYComponente(dir_.filePath(QStringLiteral("familias.db")), kConexionPar,
                            [this](QSqlDatabase& par) { Llenar(par); });
    }

    void Llenar(QSqlDatabase& par) {
        QSqlQuery crear(par);
        crear.exec(QStringLiteral(
            "CREATE TABLE TA_FAMILIAS (IDFAMILIA varchar(10) PRIMARY KEY, DESCRIPCION "
            "varchar(50))"));
        crear.exec(QStringLiteral("CREATE VIEW V_TA_FAMILIAS AS SELECT * FROM TA_FAMILIAS"));
        // What a clerk reads the families through.
        crear.exec(QStringLiteral("CREATE VIEW SS_V_TA_FAMILIAS AS SELECT * FROM TA_FAMILIAS"));
        par.transaction();
        QSqlQuery fila(par);
        fila.prepare(QStringLiteral("INSERT INTO TA_FAMILIAS VALUES (?, ?)"));
        for (const QString& codigo : Codigos()) {
            fila.bindValue(0, codigo);
            fila.bindValue(1, QString::fromUtf8("Familia de artículos %1").arg(codigo));
            fila.exec();
            ultimo_ = codigo;
        }
        par.commit();
    }

    QTemporaryDir dir_;
    QString ultimo_;
};

std::unique_ptr<lookup::Lib_FrmCons3Tree> Ventana() {
    auto ventana = std::make_unique<lookup::Lib_FrmCons3Tree>();
    ventana->SQL = kSentencia;
    ventana->show();
    return ventana;
}

// The peer: the same outline (the depth of a node follows its code's length) built as
// QStandardItems from a query of Qt's own driver, in a tree view as large as the window's.
struct Par {
    std::unique_ptr<QStandardItemModel> modelo;
    std::unique_ptr<QTreeView> vista;
};

Par CargarPar(const QSize& tamano) {
    Par par{std::make_unique<QStandardItemModel>(), std::make_unique<QTreeView>()};
    auto* raiz = new QStandardItem(QStringLiteral("Consulta..."));  // owned by the model
    par.modelo->appendRow(raiz);
    std::vector<std::pair<QStandardItem*, qsizetype>> camino{{raiz, 1}};
    QSqlQuery query(QSqlDatabase::database(QLatin1String(kConexionPar)));
    query.setForwardOnly(true);
    query.exec(kSentencia);
    while (query.next()) {
        const QString codigo = query.value(0).toString();
        const qsizetype largo = codigo.size() + 1;
        while (camino.size() > 1 && largo <= camino.back().second) {
            camino.pop_back();
        }
        auto* item = new QStandardItem(codigo + QStringLiteral(" - ") + query.value(1).toString());
        camino.back().first->appendRow(item);
        camino.emplace_back(item, largo);
    }
    par.vista->setHeaderHidden(true);
    par.vista->setUniformRowHeights(true);
    par.vista->setModel(par.modelo.get());
    par.vista->expand(par.modelo->index(0, 0));
    par.vista->resize(tamano);
    par.vista->show();
    return par;
}

QSize TamanoArbol() {
    static const QSize tamano = [] {
        lookup::Lib_FrmCons3Tree ventana;
        return ventana.TreeV()->size();
    }();
    return tamano;
}

void CargaVentana(benchmark::State& state) {
    Base::Get();
    for (auto _ : state) {
        auto ventana = Ventana();
        benchmark::DoNotOptimize(ventana->grab());
        state.PauseTiming();
        if (ventana->Nodos().Nodos() != kNodos + 1) {
            state.SkipWithError("the window did not build every node");
        }
        Soltar(ventana);
        state.ResumeTiming();
    }
    state.counters["nodes"] = kNodos;
}

void CargaPar(benchmark::State& state) {
    Base::Get();
    const QSize tamano = TamanoArbol();
    for (auto _ : state) {
        Par par = CargarPar(tamano);
        benchmark::DoNotOptimize(par.vista->grab());
        state.PauseTiming();
        par = {};
        state.ResumeTiming();
    }
    state.counters["nodes"] = kNodos;
}

// One keystroke in the search box when no node starts with the text: every node is compared.
void TeclaSinCoincidencia(benchmark::State& state) {
    Base::Get();
    auto ventana = Ventana();
    QComboBox* caja = ventana->CmbSearch();
    caja->setFocus();
    for (auto _ : state) {
        QTest::keyClick(caja, '#');
    }
    Soltar(ventana);
}

// The peer's search for a text no node starts with: Qt's own recursive match over the model.
void TeclaSinCoincidenciaPar(benchmark::State& state) {
    Base::Get();
    Par par = CargarPar(TamanoArbol());
    QString texto;
    for (auto _ : state) {
        texto += QLatin1Char('#');
        benchmark::DoNotOptimize(par.modelo->match(par.modelo->index(0, 0), Qt::DisplayRole, texto,
                                                   1, Qt::MatchStartsWith | Qt::MatchRecursive));
    }
}

// Typing the last node's code: the search runs to the end, opens its ancestors and scrolls to it.
void TeclaAlUltimo(benchmark::State& state) {
    const QString ultimo = Base::Get().UltimoCodigo();
    std::unique_ptr<lookup::Lib_FrmCons3Tree> ventana;
    for (auto _ : state) {
        // Each time on a fresh window, whose ancestors of the last node are still closed.
        state.PauseTiming();
        Soltar(ventana);
        ventana = Ventana();
        QComboBox* caja = ventana->CmbSearch();
        caja->setEditText(ultimo.chopped(1));
        state.ResumeTiming();
        caja->setEditText(ultimo);
        benchmark::DoNotOptimize(ventana->TreeV()->grab());
    }
    Soltar(ventana);
}

std::string Nombre(const char* benchmark, int iteraciones) {
    return std::string(benchmark) + "/iterations:" + std::to_string(iteraciones);
}

// Prints a figure against its goal; false when it misses it.

}  // namespace

BENCHMARK(CargaVentana)->Iterations(kIteraciones)->Unit(benchmark::kMillisecond);
BENCHMARK(CargaPar)->Iterations(kIteraciones)->Unit(benchmark::kMillisecond);
BENCHMARK(TeclaSinCoincidencia)->Iterations(kIteracionesTecla)->Unit(benchmark::kMillisecond);
BENCHMARK(TeclaSinCoincidenciaPar)->Iterations(kIteracionesTecla)->Unit(benchmark::kMillisecond);
BENCHMARK(TeclaAlUltimo)->Iterations(kIteraciones)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;  // times in milliseconds, each benchmark's unit
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    bool dentro = true;
    const std::string carga = Nombre("CargaVentana", kIteraciones);
    const std::string cargaPar = Nombre("CargaPar", kIteraciones);
    if (reporter.Has(carga, cargaPar)) {
        std::printf(
            "build and show of %d nodes: window %.1f ms, QStandardItemModel + QTreeView %.1f ms; "
            "window / peer %.2f x wall, %.2f x CPU\n",
            kNodos, reporter.times.at(carga), reporter.times.at(cargaPar),
            reporter.Ratio(carga, cargaPar), reporter.CpuRatio(carga, cargaPar));
        dentro = Informar("build and show of 10,000 nodes", reporter.times.at(carga), kCargaMs) &&
                 dentro;
    }
    const std::string tecla = Nombre("TeclaSinCoincidencia", kIteracionesTecla);
    const std::string teclaPar = Nombre("TeclaSinCoincidenciaPar", kIteracionesTecla);
    if (reporter.Has(tecla, teclaPar)) {
        std::printf(
            "keystroke without a match over %d nodes: window %.3f ms, QAbstractItemModel::match "
            "%.3f ms; window / peer %.2f x wall, %.2f x CPU\n",
            kNodos, reporter.times.at(tecla), reporter.times.at(teclaPar),
            reporter.Ratio(tecla, teclaPar), reporter.CpuRatio(tecla, teclaPar));
        dentro =
            Informar("keystroke without a match", reporter.times.at(tecla), kTeclaMs) && dentro;
    }
    const std::string ultimo = Nombre("TeclaAlUltimo", kIteraciones);
    if (reporter.times.count(ultimo) != 0) {
        dentro = Informar("keystroke finding the last node", reporter.times.at(ultimo), kTeclaMs) &&
                 dentro;
    }
    return dentro ? 0 : 1;
}
