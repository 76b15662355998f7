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

// Its definitions are spread over one source file per concern (state, connection opening,
// recordsets and statements, lookups, schema, names).

/// The database access component: one connection, the settings it was opened from, and the
/// operations every program of the family uses to query and change its database. Statements
/// are written in the SQL Server dialect; the component redirects synonyms and rewrites them
/// for Oracle where the connection needs it.
///
/// Failures of a step go to the shared error handler (Abort / Retry / Ignore) unless a member
/// says otherwise; none reaches the caller as an exception.
class DB_Dll {
  public:
    /// An object with no connection yet; the settings are empty.
    DB_Dll();
    /// Lets go of the object's connection, which lives on while another holder keeps it.
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    /// The program-wide default instance, created on first use.
    static DB_Dll& Default();

    // ---- Public connection state, in declaration order ----
    bool gOpenFlag = false;        ///< True while an opening is under way or succeeded.
    bool gIgnoraPassWord = false;  ///< For the host program; unused here.
    /// The connection every operation of this object runs on; created on first use.
    const std::shared_ptr<ado::Connection>& gCnn();
    /// Hands the component a connection of the caller's (opened or not); gConnString takes its
    /// string, so that the Oracle rewrite follows the connection. A null one makes the next use
    /// create a fresh connection.
    void SetgCnn(std::shared_ptr<ado::Connection> conexion);
    ado::Recordset glrcs;     ///< For the host program; unused here.
    int gCursorLocation = 0;  ///< For the host program; unused here.
    QString gProveedor;       ///< OLE DB provider; "ORACLE" in it selects the Oracle string.
    QString gDsn;             ///< For the host program; unused here.
    QString gServidor;        ///< The server the SQL Server string names.
    QString gDbName;          ///< Database; for Oracle the data source (service) name.
    QString gUsuario;         ///< The user the connection string names.
    bool gEsAdmin = false;    ///< The user is an administrator; read by the synonym redirection.
    QString gUserPassWord;    ///< The user's password.
    QString gConnString;      ///< The string last used to open gCnn.
    QString gExtended;        ///< Further attributes appended to the SQL Server string.

    // ---- Connection opening ----
    /// Opens gCnn on ConnString, or on a string built from the settings (gProveedor, gServidor,
    /// gDbName, gUsuario, gUserPassWord, gExtended) when ConnString is blank; gConnString keeps
    /// the string used. An empty gProveedor becomes pSQLOLEDB().
    /// PideParametrosSQL first asks for the parameters ("Control de Acceso"); cancelling leaves
    /// gOpenFlag false and opens nothing. lCursor is the connection's cursor location
    /// (ado::adUseClient...). ValidaAdmin sets gEsAdmin from the user's row in "ta_usuarios"
    /// ("Administrador" reading 1); without it every user is an administrator. A failure of the
    /// provider offers to try again with new parameters; any other failure is reported and ends the
    /// opening.
    void OpenServerADODB(bool PideParametrosSQL = false, int lCursor = ado::adUseClient,
                         const QString& ConnString = {}, bool ValidaAdmin = true);
    /// Kept for the programs that call it; it opens nothing and changes nothing.
    void OpenLocalADODB(const QString& ConnString = {},
                        const QString& CadenaID = QStringLiteral("User Id"),
                        const QString& CadenaPWD = QStringLiteral("Password"));
    /// The provider name of Jet 4.0, "Microsoft.Jet.OLEDB.4.0".
    QString pJETOLEDB40() const;
    /// The provider name of Jet 3.51, "Microsoft.Jet.OLEDB.3.51".
    QString pJETOLEDB35() const;
    /// The provider name of SQL Server, "SQLOLEDB".
    QString pSQLOLEDB() const;

    // ---- Recordsets and statements ----
    /// Closes Lrcs when open and opens it on a statement. SentenciaSQL comes back with its
    /// synonyms redirected (SS_TSinonimos); on an Oracle connection the text opened is that one
    /// rewritten by ORACLE_Dicc, unless ConvOracle is false.
    /// ConexionActiva is the connection to open it on (gCnn when null); CursorType, LockType and
    /// Options go to ado::Recordset::Open.
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs,
                        const std::shared_ptr<ado::Connection>& ConexionActiva = nullptr,
                        int CursorType = ado::adOpenForwardOnly, int LockType = ado::adLockReadOnly,
                        int Options = ado::adCmdUnspecified, bool ConvOracle = true);
    /// Closes the recordset when it is open.
    void CierraRecordset(ado::Recordset& LrcsTemp);
    /// Executes a statement (on Oracle, a script of statements) on gCnn; SentenciaSQL comes back
    /// as executed, its synonyms redirected except in a DELETE. RecordsAffected, when given,
    /// receives the rows changed. A syntax, integrity, missing-table or unspecified provider
    /// error is logged and kept in the connection's Errors without a message; any other is shown
    /// in a box ("Aviso al operador!!!").
    void EjecutaConsultaSQL(QString& SentenciaSQL, int32_t* RecordsAffected = nullptr);
    /// Kept for the programs that call it; it does nothing.
    void QConsulta(const QString& TB, const QString& Rsp, const QString& Cl1, const QString& Cl2,
                   const QString& CmpDisplay = QStringLiteral("Codigo"),
                   const QString& SQLWHERE = {});
    /// Kept for the programs that call it; it does nothing.
    void QGridConsulta(const QString& Sentencia, const QString& CampoDevuelto1,
                       const QString& gCnnString, const QString& CampoDevuelto2 = {},
                       const QString& CampoDevuelto3 = {});

    // ---- Dialect and synonyms ----
    /// A statement in the SQL Server dialect rewritten for Oracle when gConnString is an Oracle
    /// one (TOP n as ROWNUM, LEN as LENGTH, brackets as double quotes, dates as TO_DATE,
    /// Charindex as InStr); on any other connection it only comes back upper-cased. TOP n at the
    /// very end or an unclosed quote raises "invalid procedure call" (5).
    QString ORACLE_Dicc(const QString& Valor);
    /// The statement with the tables ordinary users read through SS_ synonyms redirected to them
    /// (MA_CUENTAS becomes SS_MA_CUENTAS...); a name marked "@Admin_" is kept. The markers are
    /// always removed; for an administrator (gEsAdmin) nothing else changes.
    QString SS_TSinonimos(const QString& SQL);

    // ---- Lookups ----
    /// The largest value of QueCampo in QueTabla, as a number (a column without values reads
    /// as 0; an empty result set gives Empty).
    /// Condicion, when given, is a WHERE condition in SQL; Tipo is unused, kept for the callers.
    /// Errors reach the caller.
    rt::Variant BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                            const std::optional<rt::Variant>& Tipo = std::nullopt,
                            const std::optional<rt::Variant>& Condicion = std::nullopt);
    /// The smallest value of QueCampo in QueTabla; as BuscaMaximo.
    rt::Variant BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                            const std::optional<rt::Variant>& Tipo = std::nullopt,
                            const std::optional<rt::Variant>& Condicion = std::nullopt);
    /// The last code of QueCampo in QueTabla (its largest value, as a number); a blank Condicion
    /// adds nothing. Tipo is unused. Errors reach the caller.
    rt::Variant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                  const rt::Variant& Tipo = rt::vbString,
                                  const QString& Condicion = {});
    /// Whether Tabla has a row whose Campo is ValorBuscado (as passed, untrimmed), or, when
    /// Condicion is not empty, a row meeting it instead; asked on the default instance's
    /// connection, without synonyms or Oracle rewrite.
    /// Lrcs, when given, is a recordset of the caller's, left open on the result (reopened with
    /// its own cursor and lock types, or forward-only and read-only when SoloLectura). TipoDato
    /// tells how the key is written: its variant type code (8 text, 7 date, 3, 4, 5 numbers).
    /// Failures go to a box ("Aviso al Operador"); after Abort the answer is false.
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                         const QString& Campo = QStringLiteral("Codigo"),
                         ado::Recordset* Lrcs = nullptr, const rt::Variant& TipoDato = rt::vbString,
                         const QString& Condicion = {}, bool SoloLectura = false);
    /// Whether Tabla has a row whose trimmed Campo is ValorBuscado (a text key trimmed too), or
    /// a row meeting Condicion when it is not empty; on gCnn, with synonyms redirected and the
    /// Oracle rewrite. Lrcs and TipoDato as for ExisteEnTablaST.
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                       const QString& Campo = QStringLiteral("Codigo"),
                       ado::Recordset* Lrcs = nullptr, const rt::Variant& TipoDato = rt::vbString,
                       const QString& Condicion = {});
    /// The text of CampoDevuelto in the first row of Tabla whose Campo is ValorBuscado (and that
    /// meets Condicion when it is not blank); "" when there is none.
    /// TipoDato tells how the key is written, as for ExisteEnTablaST; UsaTrim compares a text key
    /// with the trimmed column. Failures go to a box ("Aviso al Operador"); after Abort the answer
    /// is Empty.
    rt::Variant DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                           const QString& CampoDevuelto,
                           const QString& Campo = QStringLiteral("Codigo"),
                           const rt::Variant& TipoDato = rt::vbString,
                           const QString& Condicion = {}, bool UsaTrim = true);

    // ---- Schema ----
    /// Valor as an SQL literal, by Tipo: "'" a quoted text (its quotes doubled), "@" a number
    /// written with "." (a text read in the user's format), anything else the value as it stands
    /// (a boolean as 1 or 0). A Null value gives NULL, or 0 for "@".
    rt::Variant SQLValue(const rt::Variant& Valor, const QString& Tipo = QStringLiteral("'"));
    /// Adds the column Campo of SQL type Tipo to Tabla ("ALTER TABLE dbo.Tabla ADD ..."), Null
    /// or Not Null, with a default constraint DF_Tabla_Campo when ValorDefault (SQL text) is
    /// given.
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                  bool PermiteNulos, const std::optional<rt::Variant>& ValorDefault = std::nullopt);
    /// Whether the database's catalogue holds the table (names compared trimmed, ignoring case).
    bool ExisteTablaDB(const QString& Tabla);
    /// Whether the table has the column, from the catalogue; always true with an Oracle
    /// provider.
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    /// Brings a column up to date: when the table exists and lacks the column, adds it (as
    /// AddField) if Agregar. Always returns true.
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar = true,
                    const QString& Tipo = {}, bool PermiteNulos = false,
                    const std::optional<rt::Variant>& ValorDefault = std::nullopt);

    // ---- Values and names ----
    /// Whether an ADO data-type code is a date or time type (7, 64, 133, 134, 135, 137).
    bool adodate(const rt::Variant& Qtype) const;
    /// Whether an ADO data-type code is a text type (8, 130, 200 to 203).
    bool ADOText(const rt::Variant& Qtype) const;
    /// Whether an ADO data-type code is a number type (integers, decimals, floating point).
    bool ADONumeric(const rt::Variant& Qtype) const;
    /// Whether an ADO data-type code is currency (6); a Null code raises "invalid use of Null"
    /// (94).
    bool ADOCurrency(const rt::Variant& Qtype) const;
    /// Whether an ADO data-type code is boolean (11); a Null code raises "invalid use of Null"
    /// (94).
    bool ADOBoolean(const rt::Variant& Qtype) const;
    /// "[name]" for a name with a space that is not bracketed yet; any other name as it is.
    QString AddBrackets(const QString& rObjName) const;
    /// A name starting with "[" without its first and last characters (error 5 for "[" alone).
    QString StripBrackets(const QString& rsObjName) const;
    /// The name before "->" without the character just before the arrow (error 5 when the text
    /// starts with "->").
    QString StripConnect(const QString& rsTblName) const;
    /// Everything after the first "."; the argument itself is changed too.
    QString StripOwner(QString& rsTblName) const;
    /// One part of a two-part name "owner.name": the part after the "." for a non-zero rnPart,
    /// the part before it for zero (error 5 without a "."). A name with two or more "." loses
    /// its owner through StripOwner, argument included, whatever rnPart is.
    QString stSTF(QString& rsName, int rnPart) const;
    /// The folder of a path written with "", without its final separator; "" for a bare name.
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
