// The script executor over scripts of growing size: EjecutaConsultaSQL on an SQLite file whose
// name holds ORACLE (the Oracle road) cuts, rewrites and executes every insert. Time should
// grow linearly; every statement must reach the table.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "RatioReporter.h"
#include "cheques/ado/Connection.h"
#include "cheques/db/DB_Dll.h"

namespace {

constexpr int kSmall = 10000;
constexpr int kLarge = 100000;
constexpr double kMaxRatio = 12.0;  // ten times the script, at most twelve times the time

// A SQL Server script of n inserts in one transaction, with GO separators as callers write them.
QString Script(int n) {
    QString script = QStringLiteral("SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\n");
    script.reserve(n * 72);
    for (int i = 1; i <= n; ++i) {
        script += QStringLiteral(
                      "INSERT INTO MOVIMIENTOS (ID, NOMBRE, IMPORTE) VALUES (%1, "
                      "'Cliente %1', %2)\r\n")
                      .arg(i)
                      .arg(i % 1000);
        if (i % 500 == 0) {
            script += QStringLiteral("GO\r\n");
        }
    }
    return script + QStringLiteral("COMMIT TRANSACTION\r\n");
}

// Statements that did not reach the table, over all runs; reported at the end.
int& MissingRows() {
    static int missing = 0;
    return missing;
}

void EjecutaScriptSQL(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QString script = Script(n);
    QTemporaryDir dir;
    const QString conn = QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") +
                         dir.filePath(QStringLiteral("ORACLE.db"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(dir.filePath(QStringLiteral("ORACLE.db")));
        db::DB_Dll component;
        component.gCnn()->Open(conn);
        component.gConnString = conn;
        component.gCnn()->Execute(
            QStringLiteral("CREATE TABLE MOVIMIENTOS (ID int, NOMBRE varchar(40), IMPORTE int)"));
        QString text = script;
        int32_t affected = 0;
        state.ResumeTiming();

        component.EjecutaConsultaSQL(text, &affected);

        state.PauseTiming();
        ado::Recordset rs =
            component.gCnn()->Execute(QStringLiteral("SELECT COUNT(*) FROM MOVIMIENTOS"));
        const int rows = rs.Fields()[0].Value().ToLong();
        if (rows != n || affected != n) {
            MissingRows() += n - rows;
            state.SkipWithError("not every statement was executed");
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(EjecutaScriptSQL)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const std::string small = "EjecutaScriptSQL/" + std::to_string(kSmall) + "/iterations:3";
    const std::string large = "EjecutaScriptSQL/" + std::to_string(kLarge) + "/iterations:3";
    if (MissingRows() != 0) {
        std::printf("FAILED: %d statements were not executed\n", MissingRows());
        return 1;
    }
    if (!reporter.Has(small, large)) {
        return 0;  // a filter ran only part of the benchmarks
    }
    const double ratio = reporter.Ratio(large, small);
    const double cpuRatio = reporter.CpuRatio(large, small);
    std::printf("time ratio %d / %d inserts: %.2f real, %.2f CPU (at most %.0f)%s\n", kLarge,
                kSmall, ratio, cpuRatio, kMaxRatio, ratio <= kMaxRatio ? "" : "  OVER THE LIMIT");
    return ratio <= kMaxRatio ? 0 : 1;
}
