#pragma once

#include <sqlite3.h>

#include <memory>

namespace ado {

struct SqliteCloser {
    // close_v2 waits for statements still alive, whatever order things go away in.
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct SqliteFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

using SqliteDb = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

}  // namespace ado
