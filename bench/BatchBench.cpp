// A T-SQL batch of one insert a line, without semicolons, through Connection::Execute on the
// embedded database, beside the same statements prepared and stepped one by one on sqlite3 in
// one transaction. The batch must grow linearly and stay near the raw loop.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "ado/Connection.h"

namespace {

constexpr int kSmall = 10000;
constexpr int kLarge = 100000;
constexpr double kMaxGrowth = 12.0;  // ten times the batch, at most twelve times the time
constexpr double kMaxOverRaw = 2.0;  // at most twice the raw loop

const char* const kCreate = "CREATE TABLE MOVIMIENTOS (ID int, NOMBRE varchar(40), IMPORTE int)";

std::vector<QByteArray> Statements(int n) {
    std::vector<QByteArray> statements;
    statements.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        statements.push_back(
            QStringLiteral("INSERT INTO MOVIMIENTOS (ID, NOMBRE, IMPORTE) VALUES (%1, "
                           "'Cliente %1', %2)")
                .arg(i)
                .arg(i % 1000)
                .toUtf8());
    }
    return statements;
}

QString Batch(const std::vector<QByteArray>& statements) {
    QString batch;
    for (const QByteArray& statement : statements) {
        batch += QString::fromUtf8(statement) + QLatin1Char('\n');
    }
    return batch;
}

// A fresh database file with the empty table.
QString FreshDatabase(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("batch.db"));
    QFile::remove(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, kCreate, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

int CountRows(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM MOVIMIENTOS", -1, &statement, nullptr);
    sqlite3_step(statement);
    const int rows = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

void ExecuteBatch(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QString batch = Batch(Statements(n));
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = FreshDatabase(dir);
        auto cn = ado::Connection::Create();
        cn->Open(QStringLiteral("Provider=SQLite;Data Source=") + path);
        int32_t affected = 0;
        state.ResumeTiming();

        cn->Execute(batch, &affected);

        state.PauseTiming();
        cn->Close();
        if (affected != n || CountRows(path) != n) {
            state.SkipWithError("not every statement was executed");
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void RawSqlite(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<QByteArray> statements = Statements(n);
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = FreshDatabase(dir);
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        state.ResumeTiming();

        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const QByteArray& text : statements) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &statement,
                               nullptr);
            sqlite3_step(statement);
            sqlite3_finalize(statement);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);

        state.PauseTiming();
        sqlite3_close(db);
        if (CountRows(path) != n) {
            state.SkipWithError("not every statement was executed");
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

std::string Name(const char* benchmark, int n) {
    return std::string(benchmark) + "/" + std::to_string(n) + "/iterations:3";
}

}  // namespace

BENCHMARK(ExecuteBatch)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RawSqlite)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    bool within = true;
    const std::string small = Name("ExecuteBatch", kSmall);
    const std::string large = Name("ExecuteBatch", kLarge);
    if (reporter.Has(large, small)) {
        const double growth = reporter.Ratio(large, small);
        within = within && growth <= kMaxGrowth;
        std::printf("batch time %d / %d statements: %.2f (at most %.0f)%s\n", kLarge, kSmall,
                    growth, kMaxGrowth, growth <= kMaxGrowth ? "" : "  OVER THE LIMIT");
    }
    for (const int n : {kSmall, kLarge}) {
        const std::string ours = Name("ExecuteBatch", n);
        const std::string raw = Name("RawSqlite", n);
        if (!reporter.Has(ours, raw)) {
            continue;
        }
        const double overRaw = reporter.Ratio(ours, raw);
        within = within && overRaw <= kMaxOverRaw;
        std::printf("batch / raw sqlite3 loop at %d statements: %.2f (at most %.1f)%s\n", n,
                    overRaw, kMaxOverRaw, overRaw <= kMaxOverRaw ? "" : "  OVER THE LIMIT");
    }
    return within ? 0 : 1;
}
