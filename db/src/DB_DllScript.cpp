#include <limits>

#include "DbLog.h"
#include "SqlScript.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"

namespace db {

namespace {

// The OLE DB warning "the command returned no result", which a finished script leaves behind.
constexpr int32_t kSinResultado = 265929;

// Adds a statement's count to the caller's 32-bit counter; "not applicable" (-1) adds nothing,
// and a sum past the counter's range raises overflow as the counter's type would.
void SumaRegistros(int32_t& total, int32_t afectados) {
    if (afectados <= 0) {
        return;
    }
    const int64_t suma = int64_t{total} + afectados;
    if (suma > std::numeric_limits<int32_t>::max()) {
        rt::RuntimeError::Raise(rt::err::Overflow);
    }
    total = static_cast<int32_t>(suma);
}

// Rolls back the transaction a failing script began, keeping the failure's provider errors
// in Errors for the caller's handler.
void DeshaceTransaccionPropia(ado::Connection& cnn) {
    const std::vector<ado::Error> errores(cnn.Errors().begin(), cnn.Errors().end());
    try {
        cnn.RollbackTrans();
    } catch (const rt::RuntimeError& e) {
        qCWarning(lcDb).noquote() << "Script: rolling back its transaction failed:" << e.Number()
                                  << e.Description();
    }
    cnn.Errors().Assign(errores);
}

}  // namespace

QString DB_Dll::EjecutaScriptSQL(QString& Script, int32_t& RecordsAffected) {
    ado::Connection& cnn = *gCnn();
    // A NUL would cut a statement short; the script is refused whole before any of it runs.
    cnn.CheckCommandText(Script);
    const ScriptCortado cortado = CortaScript(Script);
    bool transaccionPropia = false;  // a transaction this script began and has not ended
    std::size_t k = 0;
    try {
        for (; k < cortado.sentencias.size(); ++k) {
            const SentenciaScript& sentencia = cortado.sentencias[k];
            switch (sentencia.tipo) {
                case TipoSentencia::IniciarTransaccion:
                    cnn.BeginTrans();
                    transaccionPropia = true;
                    break;
                case TipoSentencia::ConfirmarTransaccion:
                    transaccionPropia = false;
                    cnn.CommitTrans();
                    break;
                case TipoSentencia::DeshacerTransaccion:
                    transaccionPropia = false;
                    cnn.RollbackTrans();
                    break;
                case TipoSentencia::Ejecutar: {
                    QString texto = ORACLE_Dicc(sentencia.texto);
                    if (rt::text::Trim(FiltraSentencia(texto)).isEmpty()) {
                        break;
                    }
                    int32_t afectados = 0;
                    cnn.Execute(texto, &afectados, ado::adCmdUnspecified);
                    SumaRegistros(RecordsAffected, afectados);
                    break;
                }
            }
        }
    } catch (...) {
        Script = cortado.Resto(k);
        if (transaccionPropia) {
            DeshaceTransaccionPropia(cnn);
        }
        throw;
    }
    Script = cortado.Resto(cortado.sentencias.size());
    if (cnn.Errors().Count() == 1 && cnn.Errors().Item(0).Number() == kSinResultado) {
        cnn.Errors().Clear();
    }
    return {};
}

}  // namespace db
