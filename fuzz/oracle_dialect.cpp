// The Oracle rewrite of a SQL Server statement, on an Oracle connection and on another one.

#include "Fuzz.h"
#include "OracleDialect.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"
#include "cheques/vexilo/VexUtil.h"

namespace {

const QString kOracle = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=DB;User Id=U;");
const QString kSqlServer = QStringLiteral("PROVIDER=SQLOLEDB;Server=S;Database =DB;");

QString Reescribir(const QString& sql, const QString& connString) {
    const vexilo::VexUtil util;
    try {
        return db::ORACLE_Dicc(sql, connString,
                               [&util](const QString& t) { return util.ContarPalabras(t); });
    } catch (const rt::RuntimeError&) {
        return {};  // "invalid procedure call" is the rewrite's answer to what it cannot read
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql = fuzz::Texto(data, size);
    Reescribir(sql, kOracle);
    // Another provider's statement only comes back upper-cased.
    const QString otro = Reescribir(sql, kSqlServer);
    const QString mayusculas = rt::text::UCase(sql);
    fuzz::Exigir(otro == mayusculas, "not Oracle: upper-cased only", otro, mayusculas);
    return 0;
}
