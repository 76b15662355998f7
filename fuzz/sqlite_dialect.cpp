// The embedded provider's rewrite of SQL Server statements into SQLite's dialect, and the
// tokenizer under it, whose tokens join back into the text they came from.

#include "Fuzz.h"
#include "SqlTokens.h"
#include "SqliteDialect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql = fuzz::Texto(data, size);
    const QString unido = ado::JoinSql(ado::TokenizeSql(sql));
    fuzz::Exigir(unido == sql, "tokens join back into the text", unido, sql);
    try {
        ado::ToSqliteDialect(sql);
    } catch (const ado::UnsupportedSql&) {
        // A form without an equivalent is refused with its error.
    }
    return 0;
}
