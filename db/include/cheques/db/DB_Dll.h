#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "cheques/ado/Connection.h"
#include "cheques/ado/Enums.h"
#include "cheques/ado/Recordset.h"
#include "cheques/runtime/VarType.h"
#include "cheques/runtime/Variant.h"

namespace vexilo {
class VexUtil;
}

namespace db {

// The database access component: one connection, the settings it was opened from, and the
// operations every program of the family uses to query and change its database. Statements
// are written in the SQL Server dialect; the component redirects synonyms and rewrites them
// for Oracle where the connection needs it.
//
// Its definitions are spread over one source file per concern (state, connection opening,
// recordsets and statements, lookups, schema, names).
class DB_Dll {
  public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // The program-wide default instance, created on first use.
    static DB_Dll& Default();

    // ---- Public connection state, in declaration order ----
    bool gOpenFlag = false;        // true while an opening is under way or succeeded
    bool gIgnoraPassWord = false;  // for the host program; unused here
    // The connection every operation of this object runs on; created on first use.
    const std::shared_ptr<ado::Connection>& gCnn();
    // Hands the component a connection of the caller's (opened or not); gConnString takes its
    // string, so that the Oracle rewrite follows the connection. A null one makes the next use
    // create a fresh connection.
    void SetgCnn(std::shared_ptr<ado::Connection> conexion);
    ado::Recordset glrcs;     // for the host program; unused here
    int gCursorLocation = 0;  // for the host program; unused here
    QString gProveedor;       // OLE DB provider; "ORACLE" in it selects the Oracle string
    QString gDsn;             // for the host program; unused here
    QString gServidor;
    QString gDbName;  // database; for Oracle the data source (service) name
    QString gUsuario;
    bool gEsAdmin = false;  // read by the synonym redirection
    QString gUserPassWord;
    QString gConnString;  // the string last used to open gCnn
    QString gExtended;    // further attributes appended to the SQL Server string

    // ---- Connection opening ----
    void OpenServerADODB(bool PideParametrosSQL = false, int lCursor = ado::adUseClient,
                         const QString& ConnString = {}, bool ValidaAdmin = true);
    void OpenLocalADODB(const QString& ConnString = {},
                        const QString& CadenaID = QStringLiteral("User Id"),
                        const QString& CadenaPWD = QStringLiteral("Password"));
    QString pJETOLEDB40() const;
    QString pJETOLEDB35() const;
    QString pSQLOLEDB() const;

    // ---- Recordsets and statements ----
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs,
                        const std::shared_ptr<ado::Connection>& ConexionActiva = nullptr,
                        int CursorType = ado::adOpenForwardOnly, int LockType = ado::adLockReadOnly,
                        int Options = ado::adCmdUnspecified, bool ConvOracle = true);
    void CierraRecordset(ado::Recordset& LrcsTemp);
    void EjecutaConsultaSQL(QString& SentenciaSQL, int32_t* RecordsAffected = nullptr);
    void QConsulta(const QString& TB, const QString& Rsp, const QString& Cl1, const QString& Cl2,
                   const QString& CmpDisplay = QStringLiteral("Codigo"),
                   const QString& SQLWHERE = {});
    void QGridConsulta(const QString& Sentencia, const QString& CampoDevuelto1,
                       const QString& gCnnString, const QString& CampoDevuelto2 = {},
                       const QString& CampoDevuelto3 = {});

    // ---- Dialect and synonyms ----
    QString ORACLE_Dicc(const QString& Valor);
    QString SS_TSinonimos(const QString& SQL);

    // ---- Lookups ----
    rt::Variant BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                            const std::optional<rt::Variant>& Tipo = std::nullopt,
                            const std::optional<rt::Variant>& Condicion = std::nullopt);
    rt::Variant BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                            const std::optional<rt::Variant>& Tipo = std::nullopt,
                            const std::optional<rt::Variant>& Condicion = std::nullopt);
    rt::Variant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                  const rt::Variant& Tipo = rt::vbString,
                                  const QString& Condicion = {});
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                         const QString& Campo = QStringLiteral("Codigo"),
                         ado::Recordset* Lrcs = nullptr, const rt::Variant& TipoDato = rt::vbString,
                         const QString& Condicion = {}, bool SoloLectura = false);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                       const QString& Campo = QStringLiteral("Codigo"),
                       ado::Recordset* Lrcs = nullptr, const rt::Variant& TipoDato = rt::vbString,
                       const QString& Condicion = {});
    rt::Variant DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                           const QString& CampoDevuelto,
                           const QString& Campo = QStringLiteral("Codigo"),
                           const rt::Variant& TipoDato = rt::vbString,
                           const QString& Condicion = {}, bool UsaTrim = true);

    // ---- Schema ----
    rt::Variant SQLValue(const rt::Variant& Valor, const QString& Tipo = QStringLiteral("'"));
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                  bool PermiteNulos, const std::optional<rt::Variant>& ValorDefault = std::nullopt);
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar = true,
                    const QString& Tipo = {}, bool PermiteNulos = false,
                    const std::optional<rt::Variant>& ValorDefault = std::nullopt);

    // ---- Values and names ----
    bool adodate(const rt::Variant& Qtype) const;
    bool ADOText(const rt::Variant& Qtype) const;
    bool ADONumeric(const rt::Variant& Qtype) const;
    bool ADOCurrency(const rt::Variant& Qtype) const;
    bool ADOBoolean(const rt::Variant& Qtype) const;
    QString AddBrackets(const QString& rObjName) const;
    QString StripBrackets(const QString& rsObjName) const;
    QString StripConnect(const QString& rsTblName) const;
    QString StripOwner(QString& rsTblName) const;
    QString stSTF(QString& rsName, int rnPart) const;
    QString StripFileName(const QString& rsFileName) const;

  private:
    // The object's own utility instance, created on first use; it receives its errors.
    vexilo::VexUtil& Util();

    QString EjecutaScriptSQL(QString& Script, int32_t& RecordsAffected);
    QString FiltraSentencia(QString& Sentencia);

    std::shared_ptr<ado::Connection> cnn_;
    std::unique_ptr<vexilo::VexUtil> util_;
};

}  // namespace db
