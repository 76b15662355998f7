#include <algorithm>
#include <array>

#include "CierraSiAbierto.h"
#include "ConnectionMessages.h"
#include "DbLog.h"
#include "EsOracle.h"
#include "OracleDialect.h"
#include "SqlScript.h"
#include "Synonyms.h"
#include "cheques/ado/ConnectionString.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/vexilo/Manejador.h"
#include "cheques/vexilo/VexUtil.h"

namespace db {

namespace {

// Provider failures that EjecutaConsultaSQL passes over without a message box.
constexpr std::array<int32_t, 4> kErroresSilenciosos{
    rt::err::ProviderUnspecified,
    rt::err::ProviderSyntax,
    rt::err::ProviderIntegrity,
    rt::err::ProviderNoTable,
};

bool EsErrorSilencioso(int32_t numero) {
    return std::find(kErroresSilenciosos.begin(), kErroresSilenciosos.end(), numero) !=
           kErroresSilenciosos.end();
}

// Keeps a silent failure in the connection's Errors (where the provider put it, or added when
// it came from elsewhere) and writes it to the log with every password hidden.
void RegistraErrorSilencioso(ado::Connection& cnn, const rt::RuntimeError& e) {
    ado::Errors& errores = cnn.Errors();
    const bool presente = std::any_of(errores.begin(), errores.end(), [&](const ado::Error& x) {
        return x.Number() == e.Number();
    });
    if (!presente) {
        errores.Add(ado::Error(e.Number(), e.Description(), {}, 0, e.Source()));
    }
    qCWarning(lcDb).noquote()
        << QStringLiteral("EjecutaConsultaSQL: statement not executed, error %1 (%2) on %3")
               .arg(e.Number())
               .arg(OcultaPasswords(e.Description()), ado::MaskPassword(cnn.ConnectionString()));
    for (const ado::Error& x : errores) {
        qCWarning(lcDb).noquote() << QStringLiteral("  provider error %1 SQLSTATE %2 native %3: %4")
                                         .arg(x.Number())
                                         .arg(x.SQLState())
                                         .arg(x.NativeError())
                                         .arg(OcultaPasswords(x.Description()));
    }
}

}  // namespace

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs,
                            const std::shared_ptr<ado::Connection>& ConexionActiva, int CursorType,
                            int LockType, int Options, bool ConvOracle) {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("AbrirRecordset")));
    CierraRecordset(Lrcs);
    if (!steps([&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); })) {
        return;
    }
    // The rewritten text is only opened; the caller keeps the redirected one.
    QString texto = SentenciaSQL;
    const bool oracle = EsConexionOracle(gCnn()->ConnectionString());
    if (oracle && ConvOracle && !steps([&] { texto = ORACLE_Dicc(SentenciaSQL); })) {
        return;
    }
    const std::shared_ptr<ado::Connection> conexion = ConexionActiva ? ConexionActiva : gCnn();
    steps([&] { Lrcs.Open(texto, conexion, CursorType, LockType, Options); });
}

void DB_Dll::CierraRecordset(ado::Recordset& LrcsTemp) {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("CierraRecordset")));
    steps([&] { CierraSiAbierto(LrcsTemp); });
}

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, int32_t* RecordsAffected) {
    const std::shared_ptr<ado::Connection>& cnn = gCnn();
    try {
        SentenciaSQL = SinonimosParaEjecutar(SentenciaSQL, gEsAdmin);
        if (EsConexionOracle(cnn->ConnectionString())) {
            int32_t propio = 0;
            EjecutaScriptSQL(SentenciaSQL, RecordsAffected ? *RecordsAffected : propio);
            return;
        }
        cnn->Execute(SentenciaSQL, RecordsAffected, ado::adCmdUnspecified);
    } catch (const rt::RuntimeError& e) {
        if (EsErrorSilencioso(e.Number())) {
            RegistraErrorSilencioso(*cnn, e);
            return;
        }
        ui::MsgBox(e.Description(), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("Aviso al operador!!!"));
    }
}

void DB_Dll::QConsulta(const QString&, const QString&, const QString&, const QString&,
                       const QString&, const QString&) {}

void DB_Dll::QGridConsulta(const QString&, const QString&, const QString&, const QString&,
                           const QString&) {}

QString DB_Dll::ORACLE_Dicc(const QString& Valor) {
    return db::ORACLE_Dicc(Valor, gConnString,
                           [this](const QString& t) { return Util().ContarPalabras(t); });
}

QString DB_Dll::SS_TSinonimos(const QString& SQL) {
    return db::SS_TSinonimos(SQL, gEsAdmin);
}

QString DB_Dll::FiltraSentencia(QString& Sentencia) {
    return db::FiltraSentencia(Sentencia);
}

}  // namespace db
