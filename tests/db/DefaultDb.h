#pragma once

#include "SqliteDb.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"

namespace dbtest {

// Opens the program's default component on a test database for the length of one test, and
// leaves it closed, with its settings cleared, afterwards: every test process shares it.
class DefaultOn {
  public:
    explicit DefaultOn(const SqliteDb& db, const QString& conn = {}) { db.OpenOn(Get(), conn); }
    ~DefaultOn() {
        db::DB_Dll& d = Get();
        if (d.gCnn()->State() != ado::adStateClosed) {
            d.gCnn()->Close();
        }
        d.gConnString.clear();
        d.gProveedor.clear();
        d.gDbName.clear();
        d.gEsAdmin = false;
    }
    DefaultOn(const DefaultOn&) = delete;
    DefaultOn& operator=(const DefaultOn&) = delete;

    static db::DB_Dll& Get() { return db::DB_Dll::Default(); }
};

}  // namespace dbtest
