#include "db/LeerConfig.h"

#include "ado/Enums.h"
#include "db/DB_Dll.h"
#include "db/SqlText.h"
#include "runtime/DefaultInstance.h"
#include "runtime/Steps.h"
#include "runtime/Text.h"
#include "vexilo/VexUtil.h"

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

bool EsClaveDeFecha(const QString& clave) {
    return rt::text::Equals(clave, QStringLiteral("[FECHA HASTA]")) ||
           rt::text::Equals(clave, QStringLiteral("[FECHA DESDE]"));
}

}  // namespace

QString& gTablaConfiguracion() {
    return rt::DefaultInstance<Configuracion>::Get().tabla;
}

QString SentenciaLeerConfig(const QString& tabla, const QString& clave) {
    const QString limpia = rt::text::Trim(clave);
    const QString sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + tabla +
                        QStringLiteral(" WHERE CLAVE = ") + QuoteSqlText(limpia);
    return EsClaveDeFecha(limpia) ? rt::text::UCase(sql) : sql;
}

QString LeerConfig(const QString& clave, QString& valorAux) {
    // Ignore goes on with the next step; anything else, retry included, leaves with "".
    rt::Steps steps([](const rt::RuntimeError& error) {
        return UtilCompartido().TratarError(error, QStringLiteral("Cfg")) == 5
                   ? rt::StepAnswer::Next
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
