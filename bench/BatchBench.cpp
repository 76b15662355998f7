// A T-SQL batch of one insert a line, without semicolons, through Connection::Execute on the
// embedded database, beside the same statements prepared and stepped one by one on sqlite3 in
// one transaction. The batch must grow linearly and stay near the raw loop. Likewise a query of
// long chains of "+", which the embedded provider rewrites into TSQL_ADD calls and sqlite3 takes
// as its own operator.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "cheques/ado/Connection.h"

namespace {

constexpr int kSmall = 10000;
constexpr int kLarge = 100000;
constexpr double kMaxGrowth = 12.0;  // ten times the batch, at most twelve times the time
constexpr double kMaxOverRaw = 2.0;  // at most twice the raw loop

const char* const kCreate = "CREATE TABLE MOVIMIENTOS (ID int, NOMBRE varchar(40), IMPORTE int)";

constexpr int kChainOperands = 400;  // as long a chain as SQLite's expression depth allows
constexpr int kFewChains = 4;
constexpr int kManyChains = 40;
constexpr double kMaxChainsOverRaw = 3.0;  // at most three times sqlite3 on its own "+"

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

// A query of `chains` columns, each "A + A + ... + A" of kChainOperands operands.
QByteArray PlusChains(int chains) {
    QByteArray sql = "SELECT ";
    for (int c = 0; c < chains; ++c) {
        sql += c == 0 ? "" : ", ";
        for (int i = 0; i < kChainOperands; ++i) {
            sql += i == 0 ? "A" : " + A";
        }
    }
    return sql + " FROM P";
}

// A database of one row, A = 1.
QString ChainDatabase(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("chains.db"));
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "CREATE TABLE P (A int); INSERT INTO P VALUES (1)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

void ExecutePlusChains(benchmark::State& state) {
    const QString sql = QString::fromLatin1(PlusChains(static_cast<int>(state.range(0))));
    QTemporaryDir dir;
    auto cn = ado::Connection::Create();
    cn->Open(QStringLiteral("Provider=SQLite;Data Source=") + ChainDatabase(dir));
    for (auto _ : state) {
        ado::Recordset rs = cn->Execute(sql);
        if (rs.Fields()[0].Value().ToLong() != kChainOperands) {
            state.SkipWithError("wrong sum");
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * kChainOperands);
}

void RawSqlitePlusChains(benchmark::State& state) {
    const QByteArray sql = PlusChains(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    sqlite3* db = nullptr;
    sqlite3_open(ChainDatabase(dir).toUtf8().constData(), &db);
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr);
        if (sqlite3_step(statement) != SQLITE_ROW ||
            sqlite3_column_int(statement, 0) != kChainOperands) {
            state.SkipWithError("wrong sum");
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * state.range(0) * kChainOperands);
}

std::string Name(const char* benchmark, int n) {
    return std::string(benchmark) + "/" + std::to_string(n) + "/iterations:3";
}

}  // namespace

BENCHMARK(ExecuteBatch)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RawSqlite)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExecutePlusChains)->Arg(kFewChains)->Arg(kManyChains)->Unit(benchmark::kMillisecond);
BENCHMARK(RawSqlitePlusChains)->Arg(kFewChains)->Arg(kManyChains)->Unit(benchmark::kMillisecond);

// The ratio of run a to run b against its limit; true when within it, or when a filter left
// either run out.
bool WithinRatio(const RatioReporter& reporter, const std::string& a, const std::string& b,
                 const std::string& what, double limit) {
    return !reporter.Has(a, b) || Informar(what.c_str(), reporter.Ratio(a, b), limit, "times");
}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    bool within = WithinRatio(reporter, Name("ExecuteBatch", kLarge), Name("ExecuteBatch", kSmall),
                              "batch time, ten times the statements", kMaxGrowth);
    for (const int n : {kSmall, kLarge}) {
        within = WithinRatio(reporter, Name("ExecuteBatch", n), Name("RawSqlite", n),
                             "batch / raw sqlite3 loop at " + std::to_string(n) + " statements",
                             kMaxOverRaw) &&
                 within;
    }
    const auto chains = [](const char* benchmark, int n) {
        return std::string(benchmark) + "/" + std::to_string(n);
    };
    within = WithinRatio(reporter, chains("ExecutePlusChains", kManyChains),
                         chains("ExecutePlusChains", kFewChains),
                         "plus chains, ten times the chains", kMaxGrowth) &&
             within;
    for (const int n : {kFewChains, kManyChains}) {
        within =
            WithinRatio(reporter, chains("ExecutePlusChains", n), chains("RawSqlitePlusChains", n),
                        "plus chains / raw sqlite3 at " + std::to_string(n) + " chains of " +
                            std::to_string(kChainOperands),
                        kMaxChainsOverRaw) &&
            within;
    }
    return within ? 0 : 1;
}
