// The list lookup window over a large result, beside Qt's own SQL model and table view on the
// same SQLite file and statement: loading and painting, a keystroke of the incremental search,
// a header click that sorts, and the memory the rows take.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <string>

#include "ParYComponente.h"
#include "RatioReporter.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"

namespace {

constexpr int kFilas = 100000;
constexpr int kFilasPorDefecto = 1000;
constexpr int kIteracionesGrandes = 5;
constexpr int kIteracionesChicas = 20;
constexpr double kRazonMaxima = 1.2;
constexpr double kCargaPorDefectoMs = 30;
constexpr double kTeclaMs = 16;
constexpr double kOrdenMs = 300;
constexpr double kKbPorMb = 1024;
constexpr double kBytesPorMb = 1024.0 * 1024.0;
constexpr int kColumnaNombre = 2;
const char* const kConexionPar = "par";
// How the rows are made up: codes and names in a scattered order, so that sorting has work.
constexpr qint64 kPrimoCodigo = 7919;
constexpr qint64 kPrimoNombre = 104729;
constexpr double kImportePorFila = 1.25;
constexpr int kPasoNota = 7;
constexpr int kNiveles = 10;

// One SQLite file of kFilas rows and six columns, made once, with the program's default database
// component and Qt's SQLite driver both open on it.
class Base {
  public:
    static const Base& Get() {
        static const Base base;
        return base;
    }

    static QString Sentencia(int filas) {
        QString sql = QStringLiteral(
            "SELECT ID, CODIGO, NOMBRE, IMPORTE, NOTA, NIVEL FROM "
            "MOVIMIENTOS");
        if (filas < kFilas) {
            sql += QStringLiteral(" WHERE ID < %1").arg(filas);
        }
        return sql;
    }

  private:
    Base() {
        AbrirParYComponente(dir_.filePath(QStringLiteral("lookup.db")), kConexionPar,
                            [](QSqlDatabase& par) { Llenar(par); });
    }

    // The rows are written through the peer's own driver, in one transaction.
    static void Llenar(QSqlDatabase& par) {
        QSqlQuery crear(par);
        crear.exec(
            QStringLiteral("CREATE TABLE MOVIMIENTOS (ID int PRIMARY KEY, CODIGO "
                           "varchar(10), NOMBRE varchar(40), IMPORTE float, NOTA "
                           "varchar(60), NIVEL int)"));
        par.transaction();
        QSqlQuery fila(par);
        fila.prepare(QStringLiteral("INSERT INTO MOVIMIENTOS VALUES (?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < kFilas; ++i) {
            fila.bindValue(0, i);
            fila.bindValue(1, QStringLiteral("C%1").arg(i * kPrimoCodigo % kFilas));
            fila.bindValue(2, QStringLiteral("Cliente %1").arg(i * kPrimoNombre % kFilas));
            fila.bindValue(3, i * kImportePorFila);
            fila.bindValue(4, QString::fromUtf8("Nota número %1").arg(i * kPasoNota));
            fila.bindValue(5, i % kNiveles);
            fila.exec();
        }
        par.commit();
    }

    QTemporaryDir dir_;
};

// Resident memory of the process now, in kB.
double ResidenteKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        constexpr QByteArrayView kResidente("VmRSS:");
        if (line.startsWith(kResidente)) {
            return line.mid(kResidente.size()).trimmed().split(' ').front().toDouble();
        }
    }
    return 0;
}

// Bytes the heap has handed out and not taken back, in kB: what a load keeps, however the
// allocator lays it out.
double HeapKb() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / kKbPorMb;
}

// Resident memory before a measured load: the heap given back to the system first, so that what
// the run before left freed is not counted for whichever of the two loads comes second.
double ResidenteInicialKb() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
    return ResidenteKb();
}

// The list window, loaded on the statement by showing it.
std::unique_ptr<lookup::Lib_FrmCons3> Ventana(int filas) {
    auto ventana = std::make_unique<lookup::Lib_FrmCons3>();
    ventana->SQL = Base::Sentencia(filas);
    ventana->show();
    return ventana;
}

// The peer: the model fetched to the end, and a table view over it.
struct Par {
    std::unique_ptr<QSqlQueryModel> modelo;
    std::unique_ptr<QTableView> vista;
};

Par CargarPar(int filas, const QSize& tamano) {
    Par par{std::make_unique<QSqlQueryModel>(), std::make_unique<QTableView>()};
    par.modelo->setQuery(Base::Sentencia(filas),
                         QSqlDatabase::database(QLatin1String(kConexionPar)));
    while (par.modelo->canFetchMore()) {
        par.modelo->fetchMore();
    }
    par.vista->setModel(par.modelo.get());
    par.vista->resize(tamano);
    par.vista->show();
    return par;
}

// The size of the list in a loaded window, which the peer's view takes too: both paint as many
// cells.
QSize TamanoLista() {
    static const QSize tamano = [] {
        auto ventana = Ventana(kFilasPorDefecto);
        const QSize lista = ventana->ListView1()->size();
        Soltar(ventana);
        return lista;
    }();
    return tamano;
}

double BytesDeTextos(const lookup::ModeloConsulta& modelo) {
    double bytes = 0;
    for (int fila = 0; fila < modelo.Filas(); ++fila) {
        for (int columna = 0; columna < modelo.Columnas(); ++columna) {
            bytes += static_cast<double>(modelo.Texto(fila, columna).size() * sizeof(QChar));
        }
    }
    return bytes;
}

void CargaVentana(benchmark::State& state) {
    Base::Get();
    const auto filas = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto ventana = Ventana(filas);
        benchmark::DoNotOptimize(ventana->grab());
        state.PauseTiming();
        if (ventana->ListView1()->Modelo().Filas() != filas) {
            state.SkipWithError("the window did not load every row");
        }
        Soltar(ventana);
        state.ResumeTiming();
    }
    state.counters["rows"] = filas;
}

void CargaPar(benchmark::State& state) {
    Base::Get();
    const QSize tamano = TamanoLista();
    const auto filas = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Par par = CargarPar(filas, tamano);
        benchmark::DoNotOptimize(par.vista->grab());
        state.PauseTiming();
        if (par.modelo->rowCount() != filas) {
            state.SkipWithError("the peer did not fetch every row");
        }
        par = {};
        state.ResumeTiming();
    }
    state.counters["rows"] = filas;
}

// One keystroke in the search box of a column when no row starts with the text.
void TeclaSinCoincidencia(benchmark::State& state) {
    Base::Get();
    auto ventana = Ventana(kFilas);
    QComboBox* caja = ventana->CmbSearch(kColumnaNombre);
    caja->setFocus();
    for (auto _ : state) {
        QTest::keyClick(caja, '#');
    }
    state.counters["rows"] = ventana->ListView1()->Modelo().Filas();
    Soltar(ventana);
}

// A click on a header: the rows sorted by that column's texts, each click reversing the order.
void ClicEnTitulo(benchmark::State& state) {
    Base::Get();
    auto ventana = Ventana(kFilas);
    QHeaderView* cabecera = ventana->ListView1()->header();
    const QPoint punto(cabecera->sectionViewportPosition(kColumnaNombre) + 4,
                       cabecera->height() / 2);
    for (auto _ : state) {
        QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {}, punto);
    }
    state.counters["rows"] = ventana->ListView1()->Modelo().Filas();
    Soltar(ventana);
}

void MemoriaVentana(benchmark::State& state) {
    Base::Get();
    TamanoLista();  // a window loaded once before, as for the peer: fonts and styles are in
    for (auto _ : state) {
        const double antes = ResidenteInicialKb();
        const double heapAntes = HeapKb();
        auto ventana = Ventana(kFilas);
        const double despues = ResidenteKb();
        state.counters["rss_growth_MB"] = (despues - antes) / kKbPorMb;
        state.counters["heap_growth_MB"] = (HeapKb() - heapAntes) / kKbPorMb;
        state.counters["texts_MB"] = BytesDeTextos(ventana->ListView1()->Modelo()) / kBytesPorMb;
        Soltar(ventana);
    }
}

void MemoriaPar(benchmark::State& state) {
    Base::Get();
    const QSize tamano = TamanoLista();
    for (auto _ : state) {
        const double antes = ResidenteInicialKb();
        const double heapAntes = HeapKb();
        Par par = CargarPar(kFilas, tamano);
        const double despues = ResidenteKb();
        state.counters["rss_growth_MB"] = (despues - antes) / kKbPorMb;
        state.counters["heap_growth_MB"] = (HeapKb() - heapAntes) / kKbPorMb;
        par = {};
    }
}

std::string Nombre(const char* benchmark, int filas, int iteraciones) {
    return std::string(benchmark) + "/" + std::to_string(filas) +
           "/iterations:" + std::to_string(iteraciones);
}

}  // namespace

// Memory first, while the heap has not yet been grown by the other runs; each of the two starts
// after a window has been loaded once and with the freed heap given back.
BENCHMARK(MemoriaVentana)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(MemoriaPar)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(CargaVentana)
    ->Arg(kFilas)
    ->Iterations(kIteracionesGrandes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CargaPar)->Arg(kFilas)->Iterations(kIteracionesGrandes)->Unit(benchmark::kMillisecond);
BENCHMARK(CargaVentana)
    ->Arg(kFilasPorDefecto)
    ->Iterations(kIteracionesChicas)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CargaPar)
    ->Arg(kFilasPorDefecto)
    ->Iterations(kIteracionesChicas)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TeclaSinCoincidencia)->Iterations(kIteracionesChicas)->Unit(benchmark::kMillisecond);
BENCHMARK(ClicEnTitulo)->Iterations(kIteracionesGrandes * 2)->Unit(benchmark::kMillisecond);

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
    // The machine may be shared: the ratio is judged on CPU time, and wall time is shown beside.
    for (const auto& [filas, iteraciones] : {std::pair{kFilas, kIteracionesGrandes},
                                             std::pair{kFilasPorDefecto, kIteracionesChicas}}) {
        const std::string nuestra = Nombre("CargaVentana", filas, iteraciones);
        const std::string par = Nombre("CargaPar", filas, iteraciones);
        if (!reporter.Has(nuestra, par)) {
            continue;
        }
        std::printf(
            "load and paint of %d rows: window %.1f ms, QSqlQueryModel + QTableView "
            "%.1f ms; window / peer %.2f x wall, %.2f x CPU\n",
            filas, reporter.times.at(nuestra), reporter.times.at(par), reporter.Ratio(nuestra, par),
            reporter.CpuRatio(nuestra, par));
        if (filas == kFilas) {
            dentro = Informar("window / peer at 100,000 rows (CPU)",
                              reporter.CpuRatio(nuestra, par), kRazonMaxima, "x") &&
                     dentro;
        }
    }
    const std::string porDefecto = Nombre("CargaVentana", kFilasPorDefecto, kIteracionesChicas);
    if (reporter.times.count(porDefecto) != 0) {
        dentro = Informar("load and paint of the default 1,000 rows", reporter.times.at(porDefecto),
                          kCargaPorDefectoMs, "ms") &&
                 dentro;
    }
    const std::string tecla =
        "TeclaSinCoincidencia/iterations:" + std::to_string(kIteracionesChicas);
    if (reporter.times.count(tecla) != 0) {
        dentro = Informar("keystroke without a match at 100,000 rows", reporter.times.at(tecla),
                          kTeclaMs, "ms") &&
                 dentro;
    }
    const std::string orden = "ClicEnTitulo/iterations:" + std::to_string(kIteracionesGrandes * 2);
    if (reporter.times.count(orden) != 0) {
        dentro = Informar("header click sort of 100,000 rows", reporter.times.at(orden), kOrdenMs,
                          "ms") &&
                 dentro;
    }
    return dentro ? 0 : 1;
}
