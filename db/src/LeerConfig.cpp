#include "cheques/db/LeerConfig.h"

#include "ConfigStatements.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/vexilo/Manejador.h"
#include "cheques/vexilo/VexUtil.h"

namespace db {

namespace {

// The program-wide settings of the configuration reader.
struct Configuracion {
    QString tabla;
};

// The utility object the configuration reader shares with the tree lookup window.
vexilo::VexUtil& UtilCompartido() {
    return rt::DefaultInstance<vexilo::VexUtil>::Get();
}

}  // namespace

QString& gTablaConfiguracion() {
    return rt::DefaultInstance<Configuracion>::Get().tabla;
}

QString LeerConfig(const QString& clave, QString& valorAux) {
    // Ignore goes on with the next step; anything else, retry included, leaves with "".
    rt::Steps steps([handler = vexilo::Manejador(UtilCompartido(), QStringLiteral("Cfg"))](
                        const rt::RuntimeError& error) {
        return handler(error) == rt::StepAnswer::Next ? rt::StepAnswer::Next
                                                      : rt::StepAnswer::Leave;
    });
    DB_Dll& db = DB_Dll::Default();
    QString result;
    QString sql;
    if (!steps([&] {
            if (rt::text::Trim(gTablaConfiguracion()).isEmpty()) {
                gTablaConfiguracion() = QStringLiteral("TA_CONFIGURACION");
            }
        })) {
        return {};
    }
    if (!steps([&] { sql = SentenciaLeerConfig(gTablaConfiguracion(), clave); })) {
        return {};
    }
    ado::Recordset rs;
    if (!steps([&] {
            db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly,
                              ado::adCmdUnspecified, true);
        })) {
        return {};
    }
    // An emptiness test that failed and was ignored goes on to reading the row.
    bool vacio = false;
    if (!steps([&] { vacio = rs.Bof(); })) {
        return {};
    }
    if (vacio) {
        result = QStringLiteral(" ");
        valorAux.clear();
    } else {
        if (!steps([&] { result = UtilCompartido().CampoATexto(rs.Fields()["Valor"].Value()); })) {
            return {};
        }
        if (!steps([&] {
                valorAux = UtilCompartido().CampoATexto(rs.Fields()["ValorAux"].Value());
            })) {
            return {};
        }
    }
    if (!steps([&] { db.CierraRecordset(rs); })) {
        return {};
    }
    return result;
}

}  // namespace db
