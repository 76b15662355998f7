#pragma once

#include <QString>
#include <cstddef>
#include <vector>

#include "SqlWords.h"

namespace db {

// What the script executor does with a statement of a script.
enum class TipoSentencia {
    Ejecutar,              // translate, filter and execute it
    IniciarTransaccion,    // "SET TRANSACTION": begin a transaction on the connection
    ConfirmarTransaccion,  // "COMMIT": commit it
    DeshacerTransaccion,   // "ROLLBACK": roll it back
};

struct SentenciaScript {
    QString texto;  // the statement, trimmed of spaces
    TipoSentencia tipo = TipoSentencia::Ejecutar;
    qsizetype fin = 0;  // index in the normalised script just past the statement
};

// A script normalised and cut into its statements, in order.
struct ScriptCortado {
    QString normalizado;
    std::vector<SentenciaScript> sentencias;

    // The text the caller's script holds once the first `ejecutadas` statements have run: the
    // normalised script before the first one, the text after the last one run afterwards.
    QString Resto(std::size_t ejecutadas) const;
};

// A SQL Server script made fit for cutting: SET NOCOUNT switches and GO separators (a GO alone
// on the last line included) removed, line breaks (CR LF, LF and CR) turned into spaces,
// BEGIN/COMMIT/ROLLBACK TRANS[ACTION] turned into SET TRANSACTION, COMMIT and ROLLBACK. Only the
// code changes: string literals and comments are kept as written.
QString NormalizaScript(const QString& script);

// The same, in pieces of code, literals and comments.
TrozosSql NormalizaTrozos(const QString& script);

// Normalises the script and cuts it at every statement keyword (INSERT, DELETE, UPDATE,
// CREATE, DROP, ALTER with their space, SET TRANSACTION, COMMIT, ROLLBACK, IF [NOT] EXIST[S],
// in any case) where it stands as a word of its own in the code, never inside a literal, a
// comment or a longer name; text before the first keyword is dropped. Scripts of any length
// are cut whole.
ScriptCortado CortaScript(const QString& script);

// Empties (also in the caller's variable) a statement Oracle cannot run: one whose code (not its
// literals or comments) contains SET NOCOUNT or IF NOT EXIST. Returns the statement, empty or
// unchanged.
QString FiltraSentencia(QString& sentencia);

}  // namespace db
