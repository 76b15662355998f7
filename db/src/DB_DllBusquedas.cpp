// Lookup helpers of DB_Dll: the maximum, minimum and last code of a column, whether a key
// exists, and one value of the row of a key.
#include <functional>

#include "CierraSiAbierto.h"
#include "LookupStatements.h"
#include "SqlText.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/vexilo/VexUtil.h"

namespace db {

namespace {

// The box of the existence tests and DatosTabla: Retry runs the failed step again, Ignore goes
// on with the next step, Abort leaves the operation.
rt::StepAnswer AvisoAlOperador(const rt::RuntimeError& error) {
    return rt::AnswerFromCode(ui::MsgBox(error.Description(),
                                         ui::vbAbortRetryIgnore | ui::vbCritical,
                                         QStringLiteral("Aviso al Operador")));
}

// The number an aggregate gives back: a number as it is, anything else read from its text the
// way Val reads it; an empty result reads as 0.
double NumeroDelAgregado(const rt::Variant& valor, const vexilo::VexUtil& util) {
    return EsValorNumerico(valor) ? valor.ToDouble() : rt::text::Val(util.CampoATexto(valor));
}

// Opens a forward-only read-only recordset on the statement and reads the one value of its
// first row; empty when there is no row. Errors reach the caller.
rt::Variant Agregado(const QString& sql, const std::shared_ptr<ado::Connection>& cnn,
                     const QString& campo, const vexilo::VexUtil& util) {
    ado::Recordset rs;
    rs.Open(sql, cnn, ado::adOpenForwardOnly, ado::adLockReadOnly, ado::adCmdUnspecified);
    rt::Variant result;
    if (!rs.Bof()) {
        rs.MoveFirst();
        result = NumeroDelAgregado(rs.Fields()[campo].Value(), util);
    }
    rs.Close();
    return result;
}

// Opens the statement (the text that fuente gives) on cnn and tells whether it found a row.
// Without Lrcs a local recordset is opened forward-only and read-only and closed again; the
// caller's recordset is closed when open and reopened with its own cursor and lock types (or
// forward-only and read-only when soloLectura), and stays open on the result.
bool HayFilas(rt::Steps& steps, const std::function<QString()>& fuente,
              const std::shared_ptr<ado::Connection>& cnn, ado::Recordset* Lrcs, bool soloLectura) {
    bool existe = false;
    if (Lrcs == nullptr) {
        ado::Recordset rs;
        if (!steps([&] {
                rs.Open(fuente(), cnn, ado::adOpenForwardOnly, ado::adLockReadOnly,
                        ado::adCmdUnspecified);
            })) {
            return existe;
        }
        if (!steps([&] { existe = !rs.Bof(); })) {
            return existe;
        }
        steps([&] { CierraSiAbierto(rs); });
        return existe;
    }
    if (!steps([&] { CierraSiAbierto(*Lrcs); })) {
        return existe;
    }
    if (!steps([&] {
            const int cursor = soloLectura ? int{ado::adOpenForwardOnly} : Lrcs->CursorType();
            const int lock = soloLectura ? int{ado::adLockReadOnly} : Lrcs->LockType();
            Lrcs->Open(fuente(), cnn, cursor, lock, ado::adCmdUnspecified);
        })) {
        return existe;
    }
    steps([&] { existe = !Lrcs->Bof(); });
    return existe;
}

}  // namespace

rt::Variant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                                const std::optional<rt::Variant>& Tipo,
                                const std::optional<rt::Variant>& Condicion) {
    Q_UNUSED(Tipo);
    return Agregado(SentenciaBuscaMaximo(QueTabla, QueCampo, Condicion), gCnn(),
                    QStringLiteral("MAYOR"), Util());
}

rt::Variant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                                const std::optional<rt::Variant>& Tipo,
                                const std::optional<rt::Variant>& Condicion) {
    Q_UNUSED(Tipo);
    return Agregado(SentenciaBuscaMinimo(QueTabla, QueCampo, Condicion), gCnn(),
                    QStringLiteral("MENOR"), Util());
}

rt::Variant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                      const rt::Variant& Tipo, const QString& Condicion) {
    Q_UNUSED(Tipo);
    return Agregado(SentenciaBuscaUltimoCodigo(QueTabla, QueCampo, Condicion), gCnn(),
                    QStringLiteral("MAYOR"), Util());
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                             const QString& Campo, ado::Recordset* Lrcs,
                             const rt::Variant& TipoDato, const QString& Condicion,
                             bool SoloLectura) {
    rt::Steps steps(AvisoAlOperador);
    QString sql;
    if (!steps([&] {
            sql = SentenciaExisteEnTablaST(Tabla, ValorBuscado, Campo, TipoDato, Condicion);
        })) {
        return false;
    }
    // Always the program's default connection, whichever object is asked.
    return HayFilas(
        steps, [&] { return sql; }, Default().gCnn(), Lrcs, SoloLectura);
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           ado::Recordset* Lrcs, const rt::Variant& TipoDato,
                           const QString& Condicion) {
    rt::Steps steps(AvisoAlOperador);
    QString sql;
    if (!steps([&] {
            sql = SentenciaExisteEnTabla(Tabla, ValorBuscado, Campo, TipoDato, Condicion);
        })) {
        return false;
    }
    if (!steps([&] { sql = SS_TSinonimos(sql); })) {
        return false;
    }
    // The dialect rewrite is applied whatever the connection: elsewhere it only upper-cases.
    return HayFilas(
        steps, [&] { return ORACLE_Dicc(sql); }, gCnn(), Lrcs, false);
}

rt::Variant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                               const QString& CampoDevuelto, const QString& Campo,
                               const rt::Variant& TipoDato, const QString& Condicion,
                               bool UsaTrim) {
    rt::Variant result;
    rt::Steps steps(AvisoAlOperador);
    QString sql;
    if (!steps([&] {
            sql = SentenciaDatosTabla(Tabla, ValorBuscado, Campo, TipoDato, Condicion, UsaTrim);
        })) {
        return result;
    }
    ado::Recordset rs;
    if (!steps([&] {
            AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly,
                           ado::adCmdUnspecified, true);
        })) {
        return result;
    }
    if (!steps([&] {
            result = rs.Bof() ? QString() : Util().CampoATexto(rs.Fields()[CampoDevuelto].Value());
        })) {
        return result;
    }
    steps([&] { CierraRecordset(rs); });
    return result;
}

}  // namespace db
