#pragma once

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <QString>
#include <memory>
#include <vector>

#include "cheques/ado/Error.h"

namespace ado {

template <SQLSMALLINT Type>
struct OdbcFree {
    void operator()(SQLHANDLE handle) const { SQLFreeHandle(Type, handle); }
};

template <SQLSMALLINT Type>
using OdbcHandle = std::unique_ptr<void, OdbcFree<Type>>;

using OdbcEnv = OdbcHandle<SQL_HANDLE_ENV>;
using OdbcStatement = OdbcHandle<SQL_HANDLE_STMT>;

// A connection handle that disconnects before it is freed.
struct OdbcDbc {
    OdbcHandle<SQL_HANDLE_DBC> handle;
    bool connected = false;

    OdbcDbc() = default;
    OdbcDbc(OdbcDbc&&) = default;
    OdbcDbc& operator=(OdbcDbc&&) = default;
    ~OdbcDbc() {
        if (connected) {
            SQLDisconnect(handle.get());
        }
    }
};

// Text for the wide ODBC calls, and back.
inline SQLWCHAR* Wide(const QString& text) {
    return reinterpret_cast<SQLWCHAR*>(const_cast<ushort*>(text.utf16()));
}
inline QString FromWide(const SQLWCHAR* text, qsizetype length) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

// The diagnostic records of a handle as errors (SQLSTATE, native error, message).
std::vector<Error> OdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, const QString& source);

}  // namespace ado
