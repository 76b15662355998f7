// Reading a large result through Recordset against the same loop written on sqlite3, and the
// memory a forward-only recordset needs while it streams.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "RatioReporter.h"
#include "cheques/ado/Connection.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kHeldRows = 100000;
const char* const kQuery = "SELECT ID, NOMBRE, IMPORTE, NOTA, NIVEL FROM MOVIMIENTOS";

// One database file of kRows rows and five columns, made once for all benchmarks.
class Database {
  public:
    static const Database& Get() {
        static const Database database;
        return database;
    }
    QString Path() const { return dir_.filePath(QStringLiteral("bench.db")); }
    QString ConnectionString() const {
        return QStringLiteral("Provider=SQLite;Data Source=") + Path();
    }

  private:
    Database() {
        sqlite3* db = nullptr;
        sqlite3_open(Path().toUtf8().constData(), &db);
        sqlite3_exec(db,
                     "CREATE TABLE MOVIMIENTOS (ID int PRIMARY KEY, NOMBRE varchar(40), "
                     "IMPORTE float, NOTA varchar(60), NIVEL int);"
                     "BEGIN",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO MOVIMIENTOS VALUES (?, ?, ?, ?, ?)", -1, &insert,
                           nullptr);
        for (int i = 0; i < kRows; ++i) {
            const QByteArray name = "Cliente " + QByteArray::number(i);
            const QByteArray note = "Nota número " + QByteArray::number(i * 7);
            sqlite3_bind_int(insert, 1, i);
            sqlite3_bind_text(insert, 2, name.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(insert, 3, i * 1.25);
            sqlite3_bind_text(insert, 4, note.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(insert, 5, i % 10);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    QTemporaryDir dir_;
};

// Resident memory of the process now, in kB.
long ResidentKb() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// What both loops do with each row: every value read into what the program works with.
struct Sink {
    int64_t numbers = 0;
    double amounts = 0;
    int64_t characters = 0;
};

void DirectSqlite(benchmark::State& state) {
    const Database& database = Database::Get();
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(database.Path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr);
        Sink sink;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            sink.numbers += sqlite3_column_int(statement, 0);
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)),
                                  sqlite3_column_bytes(statement, 1));
            sink.amounts += sqlite3_column_double(statement, 2);
            const QString note =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)),
                                  sqlite3_column_bytes(statement, 3));
            sink.numbers += sqlite3_column_int(statement, 4);
            sink.characters += name.size() + note.size();
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// Reads every field of every row of an open recordset into the sink; returns the largest
// growth of resident memory seen while reading, in kB.
long ReadAll(ado::Recordset& rs, Sink& sink) {
    const ado::Fields& fields = rs.Fields();
    const long start = ResidentKb();
    long peak = start;
    int64_t rows = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        for (const ado::Field& field : fields) {
            const rt::Variant& value = field.Value();
            switch (value.VarType()) {
                case rt::Variant::Type::Long:
                    sink.numbers += value.ToLong();
                    break;
                case rt::Variant::Type::Double:
                    sink.amounts += value.ToDouble();
                    break;
                default:
                    sink.characters += value.ToString().size();
                    break;
            }
        }
        if (++rows % 65536 == 0) {
            peak = std::max(peak, ResidentKb());
        }
    }
    return std::max(peak, ResidentKb()) - start;
}

void RecordsetForwardOnly(benchmark::State& state) {
    const Database& database = Database::Get();
    long growth = 0;
    for (auto _ : state) {
        auto cn = ado::Connection::Create();
        cn->Open(database.ConnectionString());
        ado::Recordset rs;
        rs.Open(QString::fromLatin1(kQuery), cn, ado::adOpenForwardOnly, ado::adLockReadOnly);
        Sink sink;
        growth = std::max(growth, ReadAll(rs, sink));
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["rss_growth_kB"] = static_cast<double>(growth);
}

// For contrast: a static recordset holds its rows, so its memory grows with the result.
void RecordsetStatic(benchmark::State& state) {
    const Database& database = Database::Get();
    const QString query = QString::fromLatin1(kQuery) + QStringLiteral(" WHERE ID < ") +
                          QString::number(state.range(0));
    long growth = 0;
    for (auto _ : state) {
        auto cn = ado::Connection::Create();
        cn->Open(database.ConnectionString());
        const long start = ResidentKb();
        ado::Recordset rs;
        rs.Open(query, cn, ado::adOpenStatic, ado::adLockReadOnly);
        growth = std::max(growth, ResidentKb() - start);
        Sink sink;
        ReadAll(rs, sink);
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["rss_growth_kB"] = static_cast<double>(growth);
}

}  // namespace

BENCHMARK(DirectSqlite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(RecordsetForwardOnly)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(RecordsetStatic)
    ->Arg(kHeldRows / 10)
    ->Arg(kHeldRows)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv) {
    constexpr double kMaxOverDirect = 1.1;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const std::string ours = "RecordsetForwardOnly/iterations:5";
    const std::string direct = "DirectSqlite/iterations:5";
    if (!reporter.Has(ours, direct)) {
        return 0;  // a filter ran only part of the benchmarks
    }
    const double ratio = reporter.Ratio(ours, direct);
    std::printf(
        "forward-only recordset / direct sqlite3 loop: %.2f real, %.2f CPU (at most %.1f)%s\n",
        ratio, reporter.CpuRatio(ours, direct), kMaxOverDirect,
        ratio <= kMaxOverDirect ? "" : "  OVER THE LIMIT");
    return ratio <= kMaxOverDirect ? 0 : 1;
}
