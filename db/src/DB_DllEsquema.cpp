// Schema helpers of DB_Dll: SQL literals, and the catalogue checks and column additions that
// bring an installed database up to date.
#include "SchemaStatements.h"
#include "SqlText.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/Proveedores.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/vexilo/Manejador.h"
#include "cheques/vexilo/VexUtil.h"

namespace db {

namespace {

// Walks the catalogue rows from the current one until a row whose field, trimmed, equals the
// name, trimmed (ignoring case). When fallaCuentaComoIgual, a comparison that failed and was
// ignored counts as a match. A failed end test or move ends the walk, so that ignoring such a
// failure cannot keep comparing the same row for ever.
bool BuscaEnCatalogo(rt::Steps& steps, ado::Recordset& rs, const QString& campo,
                     const QString& nombre, bool fallaCuentaComoIgual) {
    const QString buscado = rt::text::Trim(nombre);
    for (;;) {
        bool alFinal = true;
        if (!steps([&] { alFinal = rs.Eof(); }) || alFinal) {
            return false;
        }
        bool igual = fallaCuentaComoIgual;
        if (!steps([&] {
                igual =
                    rt::text::Equals(rt::text::Trim(rs.Fields()[campo].Value().ToText()), buscado);
            })) {
            return false;
        }
        if (igual) {
            return true;
        }
        bool movido = false;
        if (!steps([&] {
                rs.MoveNext();
                movido = true;
            }) ||
            !movido) {
            return false;
        }
    }
}

// The catalogue that the column query is restricted to. An embedded database file holds one
// catalogue whatever name the settings give it (its file name, its path or the name of the
// server database it replaces), so it is not restricted; the SQLite ODBC driver does the same.
rt::Variant CatalogoDeColumnas(const ado::Connection& cnn, const QString& dbName) {
    if (rt::text::Equals(cnn.Provider(), QStringLiteral("SQLite"))) {
        return {};
    }
    return dbName;
}

}  // namespace

rt::Variant DB_Dll::SQLValue(const rt::Variant& Valor, const QString& Tipo) {
    const bool numero = Tipo == QLatin1String("@");
    if (Valor.IsNull()) {
        return numero ? QStringLiteral("0") : QStringLiteral("NULL");
    }
    if (numero) {
        // Anything but a number is read from its text in the user's format; either way the
        // literal is written with "." as SQL reads numbers.
        const rt::Currency importe =
            EsValorNumerico(Valor) ? Valor.ToCurrency() : Util().TextoAMoneda(Valor.ToString());
        return importe.ToInvariantString();
    }
    if (Tipo == QLatin1String("'")) {
        return QuoteSqlText(Valor.ToString());
    }
    // A boolean's text is a word of the user's language, which no database reads: a bit's value.
    if (Valor.VarType() == rt::Variant::Type::Boolean) {
        return Valor.ToBool() ? QStringLiteral("1") : QStringLiteral("0");
    }
    return Valor.ToString();
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                      bool PermiteNulos, const std::optional<rt::Variant>& ValorDefault) {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("errAddField")));
    QString sql;
    if (!steps([&] { sql = SentenciaAddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault); })) {
        return;
    }
    steps([&] { EjecutaConsultaSQL(sql); });
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla) {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("VerificaCampos")));
    ado::Recordset rs;
    if (!steps([&] { rs = gCnn()->OpenSchema(ado::adSchemaTables); })) {
        return false;
    }
    bool vacio = false;
    if (!steps([&] { vacio = rs.Bof(); }) || vacio) {
        return false;
    }
    return BuscaEnCatalogo(steps, rs, QStringLiteral("TABLE_NAME"), Tabla, true);
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo) {
    if (EsProveedorOracle(Default().gProveedor)) {
        return true;
    }
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("VerificaCampos")));
    ado::Recordset rs;
    if (!steps([&] {
            rs = gCnn()->OpenSchema(ado::adSchemaColumns, {CatalogoDeColumnas(*gCnn(), gDbName),
                                                           rt::Variant(), Tabla, rt::Variant()});
        })) {
        return false;
    }
    bool vacio = false;
    if (!steps([&] { vacio = rs.Bof(); }) || vacio) {
        return false;
    }
    return BuscaEnCatalogo(steps, rs, QStringLiteral("COLUMN_NAME"), Campo, false);
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar,
                        const QString& Tipo, bool PermiteNulos,
                        const std::optional<rt::Variant>& ValorDefault) {
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar) {
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    }
    return true;
}

}  // namespace db
