// Cost of the statement rewrites and of cutting scripts, which must grow linearly with the text.
#include <benchmark/benchmark.h>

#include <QLocale>
#include <QString>

#include "OracleDialect.h"
#include "SqlScript.h"
#include "Synonyms.h"

namespace {

// Repeats `clause` after `head` until the statement holds `bytes` characters.
QString Statement(const QString& head, const QString& clause, const QString& tail, int bytes) {
    QString sql = head;
    while (sql.size() + tail.size() < bytes) {
        sql += clause;
    }
    return sql + tail;
}

// A query with a row limit, bracketed names, LEN, Charindex, date columns and literals.
QString OracleInput(int bytes) {
    return Statement(QStringLiteral("select top 10 [Codigo], Nombre from MA_CUENTAS where FECHA "
                                    ">= '01/02/2020'"),
                     QStringLiteral(" or (FechaMov = '15/3/2021' and Nombre like 'ab%' and "
                                    "LEN(Nombre) > 3 and Charindex('x', Nombre) > 0)"),
                     QStringLiteral(" order by Nombre"), bytes);
}

QString SynonymInput(int bytes) {
    return Statement(QStringLiteral("select * from MA_CUENTAS m"),
                     QStringLiteral(" union select m.a from (MA_CUENTAS m join V_TA_CAJAS c on "
                                    "MA_CUENTAS.x = c.x) where @Admin_MV_ASIENTOS.y = 1"),
                     QString(), bytes);
}

QString InsertScript(int count) {
    QString script = QStringLiteral("SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\n");
    for (int i = 0; i < count; ++i) {
        script +=
            QStringLiteral("INSERT INTO MV_ASIENTOS (Numero, Detalle) VALUES (%1, 'x')\r\nGO\r\n")
                .arg(i);
    }
    return script + QStringLiteral("COMMIT TRANSACTION\r\n");
}

// The word count belongs to the component's utility object; any count above one will do here.
int SeveralWords(const QString&) {
    return 2;
}

QString TranslateForOracle(const QString& sql) {
    return db::ORACLE_Dicc(sql, QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=XE"),
                           SeveralWords);
}

QString RedirectSynonyms(const QString& sql) {
    return db::SS_TSinonimos(sql, false);
}

// One rewrite of a statement of state.range(0) characters.
void BM_Rewrite(benchmark::State& state, QString (*input)(int),
                QString (*rewrite)(const QString&)) {
    const QString sql = input(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(rewrite(sql));
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_Rewrite, ORACLE_Dicc, OracleInput, TranslateForOracle)
    ->Arg(1 << 10)
    ->Arg(10 << 10)
    ->Arg(100 << 10)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_Rewrite, SS_TSinonimos, SynonymInput, RedirectSynonyms)
    ->Arg(1 << 10)
    ->Arg(10 << 10)
    ->Arg(100 << 10)
    ->Complexity(benchmark::oN);

void BM_CortaScript(benchmark::State& state) {
    const QString script = InsertScript(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto cut = db::CortaScript(script);
        if (cut.sentencias.size() != static_cast<std::size_t>(state.range(0)) + 2) {
            state.SkipWithError("statements lost");
        }
        benchmark::DoNotOptimize(cut);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CortaScript)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
    // Dates are read day first, as the program's users write them.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
