#include <optional>

#include "ConnectionMessages.h"
#include "ConnectionStrings.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/PedidoDeAcceso.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/runtime/VarType.h"
#include "cheques/ui/Dialogs.h"

namespace db {

namespace {

QString ArmaConnString(const DB_Dll& db) {
    return db::ArmaConnString(db.gProveedor, db.gServidor, db.gDbName, db.gUsuario,
                              db.gUserPassWord, db.gExtended);
}

// Asks for the parameters ("Control de Acceso"), which always starts on SQL Server; accepted
// values go into the settings and gOpenFlag tells whether the user accepted. Choosing SQL
// Server keeps the provider.
void PideParametros(DB_Dll& db) {
    const std::optional<ParametrosAcceso> respuesta =
        PedidoDeAcceso::Preguntar({db.gUsuario, db.gUserPassWord, db.gDbName, db.gServidor, false});
    db.gOpenFlag = respuesta.has_value();
    if (!respuesta) {
        return;
    }
    db.gDbName = respuesta->dbName;
    db.gServidor = respuesta->servidor;
    db.gUsuario = respuesta->usuario;
    db.gUserPassWord = respuesta->password;
    if (respuesta->oracle) {
        db.gProveedor = QLatin1String(kProveedorOracle);
    }
}

// A value read as a number, written with "." or in the user's format; nothing otherwise.
std::optional<double> LeeNumero(const QString& texto) {
    bool ok = false;
    const double valor = texto.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(valor) : rt::text::TextToNumber(texto);
}

// The user is an administrator when the "Administrador" column of their row in
// "ta_usuarios" reads as the number 1.
bool EsAdministrador(DB_Dll& db) {
    const rt::Variant valor =
        db.DatosTabla(QStringLiteral("ta_usuarios"), db.gUsuario, QStringLiteral("Administrador"),
                      QStringLiteral("nombre"), rt::vbString, QString(), true);
    const std::optional<double> numero = LeeNumero(valor.ToText());
    return numero && *numero == 1;
}

// What to do after a failed step: the provider's first error offers to try again with new
// parameters; any other failure is reported and ends the opening.
rt::StepAnswer FalloApertura(DB_Dll& db, const rt::RuntimeError& error) {
    ado::Errors& errores = db.gCnn()->Errors();
    if (errores.Count() == 0) {
        ui::MsgBox(OcultaPasswords(error.Description()), ui::vbOKOnly, QString());
        return rt::StepAnswer::Leave;
    }
    const ado::Error primero = errores.Item(0);
    const QString mensaje =
        MensajeReintento(primero.SQLState(), primero.Number(),
                         OcultaPasswords(primero.Description()), primero.NativeError());
    const int respuesta =
        ui::MsgBox(mensaje, ui::vbYesNo | ui::vbCritical, QLatin1String(kTituloErrorConexion));
    if (respuesta != ui::vbYes) {
        db.gOpenFlag = false;
        return rt::StepAnswer::Leave;
    }
    errores.Clear();
    PideParametros(db);
    if (!db.gOpenFlag) {
        return rt::StepAnswer::Leave;
    }
    db.gConnString = ArmaConnString(db);
    return rt::StepAnswer::Retry;
}

}  // namespace

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString,
                             bool ValidaAdmin) {
    rt::Steps steps([this](const rt::RuntimeError& error) { return FalloApertura(*this, error); });
    gOpenFlag = true;
    if (gProveedor.isEmpty()) {
        gProveedor = pSQLOLEDB();
    }
    gConnString = ConnString.trimmed().isEmpty() ? ArmaConnString(*this) : ConnString;
    if (PideParametrosSQL) {
        if (!steps([this] { PideParametros(*this); }) || !gOpenFlag) {
            return;
        }
        gConnString = ArmaConnString(*this);
    }
    if (!steps([&] { gCnn()->SetCursorLocation(lCursor); })) {
        return;
    }
    if (!steps([this] { gCnn()->Open(gConnString); })) {
        return;
    }
    steps([&] { gEsAdmin = !ValidaAdmin || EsAdministrador(*this); });
}

void DB_Dll::OpenLocalADODB(const QString& /*ConnString*/, const QString& /*CadenaID*/,
                            const QString& /*CadenaPWD*/) {
    // Kept for the programs that call it; it opens nothing and changes nothing.
}

QString DB_Dll::pJETOLEDB40() const {
    return QStringLiteral("Microsoft.Jet.OLEDB.4.0");
}

QString DB_Dll::pJETOLEDB35() const {
    return QStringLiteral("Microsoft.Jet.OLEDB.3.51");
}

QString DB_Dll::pSQLOLEDB() const {
    return QStringLiteral("SQLOLEDB");
}

}  // namespace db
