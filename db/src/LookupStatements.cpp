#include "LookupStatements.h"

#include "SqlText.h"
#include "cheques/runtime/Text.h"
#include "cheques/runtime/VarType.h"

namespace db {

namespace {

using rt::text::Trim;

QString Agregado(const QString& funcion, const QString& alias, const QString& tabla,
                 const QString& campo) {
    return QStringLiteral("SELECT %1(").arg(funcion) + campo + QStringLiteral(") AS ") + alias +
           QStringLiteral(" FROM ") + tabla;
}

QString CondicionTrimada(const std::optional<rt::Variant>& condicion) {
    if (!condicion) {
        return {};
    }
    return QStringLiteral(" WHERE ") + Trim(condicion->ToText());
}

// A whole condition after the table: a single blank when it already carries its WHERE.
QString ConCondicion(const QString& prefijo, const QString& condicion) {
    const bool tieneWhere = rt::text::Contains(condicion, QStringLiteral(" WHERE "));
    return prefijo + (tieneWhere ? QStringLiteral(" ") : QStringLiteral(" WHERE ")) + condicion;
}

// " WHERE campo = valor" for the codes that do not write a text key.
QString ComparacionSimple(const QString& campo, const QString& valor) {
    return QStringLiteral(" WHERE ") + campo + QStringLiteral(" = ") + valor;
}

// The key comparison of a date (trimmed, bare), a number (normalised) or any other value
// (bare, as passed).
QString ComparacionSinComillas(ClaseDeValor clase, const QString& campo, const QString& valor) {
    switch (clase) {
        case ClaseDeValor::Fecha:
            return ComparacionSimple(campo, Trim(valor)) + QLatin1Char(' ');
        case ClaseDeValor::Numero:
            return ComparacionSimple(campo, NumeroNormalizado(valor));
        default:
            return ComparacionSimple(campo, valor);
    }
}

QString ComparacionTrimada(const QString& campo, const QString& valor) {
    return QStringLiteral(" WHERE LTRIM(RTRIM(") + campo + QStringLiteral(")) =") +
           QuoteSqlText(Trim(valor));
}

}  // namespace

ClaseDeValor ClaseDeTipo(const rt::Variant& tipoDato) {
    if (tipoDato.IsNull() || tipoDato.IsEmpty()) {
        return ClaseDeValor::Otro;
    }
    const double codigo = tipoDato.ToDouble();
    const auto es = [codigo](rt::VbVarType tipo) { return codigo == static_cast<int>(tipo); };
    if (es(rt::vbString)) {
        return ClaseDeValor::Texto;
    }
    if (es(rt::vbDate)) {
        return ClaseDeValor::Fecha;
    }
    if (es(rt::vbLong) || es(rt::vbSingle) || es(rt::vbDouble)) {
        return ClaseDeValor::Numero;
    }
    return ClaseDeValor::Otro;
}

QString NumeroNormalizado(const QString& valor) {
    return QString::number(rt::text::Val(valor), 'g', 15);
}

QString SentenciaBuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                             const std::optional<rt::Variant>& Condicion) {
    return Agregado(QStringLiteral("MAX"), QStringLiteral("MAYOR"), QueTabla, QueCampo) +
           CondicionTrimada(Condicion);
}

QString SentenciaBuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                             const std::optional<rt::Variant>& Condicion) {
    return Agregado(QStringLiteral("MIN"), QStringLiteral("MENOR"), QueTabla, QueCampo) +
           CondicionTrimada(Condicion);
}

QString SentenciaBuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                   const QString& Condicion) {
    const QString sql =
        Agregado(QStringLiteral("MAX"), QStringLiteral("MAYOR"), QueTabla, QueCampo);
    if (Trim(Condicion).isEmpty()) {
        return sql;
    }
    return sql + QStringLiteral(" WHERE ") + Condicion;
}

QString SentenciaExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                                 const QString& Campo, const rt::Variant& TipoDato,
                                 const QString& Condicion) {
    const QString prefijo = QStringLiteral("SELECT * FROM ") + Tabla;
    if (!Condicion.isEmpty()) {
        return ConCondicion(prefijo, Condicion);
    }
    const ClaseDeValor clase = ClaseDeTipo(TipoDato);
    if (clase == ClaseDeValor::Texto) {
        return prefijo + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" =") +
               QuoteSqlText(ValorBuscado);
    }
    return prefijo + ComparacionSinComillas(clase, Campo, ValorBuscado);
}

QString SentenciaExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                               const QString& Campo, const rt::Variant& TipoDato,
                               const QString& Condicion) {
    const QString prefijo = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla;
    if (!Condicion.isEmpty()) {
        return ConCondicion(prefijo, Condicion);
    }
    const ClaseDeValor clase = ClaseDeTipo(TipoDato);
    if (clase == ClaseDeValor::Texto) {
        return QStringLiteral("SELECT TOP 1  * FROM ") + Tabla +
               ComparacionTrimada(Campo, ValorBuscado);
    }
    return prefijo + ComparacionSinComillas(clase, Campo, ValorBuscado);
}

QString SentenciaDatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                            const rt::Variant& TipoDato, const QString& Condicion, bool UsaTrim) {
    QString sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla;
    const ClaseDeValor clase = ClaseDeTipo(TipoDato);
    if (clase == ClaseDeValor::Texto) {
        sql += UsaTrim ? ComparacionTrimada(Campo, ValorBuscado)
                       : QStringLiteral(" WHERE ") + Campo + QStringLiteral(" =") +
                             QuoteSqlText(Trim(ValorBuscado));
        sql += QLatin1Char(' ');
    } else if (clase == ClaseDeValor::Fecha) {
        sql += QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = #") + Trim(ValorBuscado) +
               QStringLiteral("# ");
    } else {
        sql += ComparacionSinComillas(clase, Campo, ValorBuscado);
    }
    if (!Trim(Condicion).isEmpty()) {
        sql += QStringLiteral(" AND ") + Condicion;
    }
    return sql;
}

}  // namespace db
