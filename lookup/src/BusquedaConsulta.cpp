#include "BusquedaConsulta.h"

#include "runtime/Text.h"
#include "vexilo/VexUtil.h"

namespace lookup {

namespace {

using rt::text::Contains;
using rt::text::InStr;

const QString kFrom = QStringLiteral("from");
const QString kOrderBy = QStringLiteral("order by");

// The articles views whose fields a statement may name with their view in front; the later one
// wins when a statement names both.
QString PrefijoDeCampos(const QString& base) {
    QString prefijo;
    for (const char* vista : {"stk_ma_articulos.", "v_ma_articulos."}) {
        if (Contains(base, QLatin1String(vista))) {
            prefijo = QLatin1String(vista);
        }
    }
    return prefijo;
}

QString EntreComillas(QString texto) {
    return texto.replace(QLatin1Char('\''), QLatin1String("''"));
}

}  // namespace

QString TablaDeSentencia(const QString& sql) {
    const int desde = InStr(sql, kFrom);
    if (desde == 0) {
        return {};
    }
    const int inicio = desde + static_cast<int>(kFrom.size());
    const int espacio = InStr(sql, QStringLiteral(" "), inicio + 1);
    const int fin = espacio == 0 ? static_cast<int>(sql.size()) + 1 : espacio;
    return rt::text::Trim(sql.mid(inicio - 1, fin - inicio));
}

BusquedaArmada ArmarBusqueda(const QString& sql, const QString& sqlActual, const QString& campo,
                             const QString& texto, bool contiene) {
    BusquedaArmada busqueda;
    QString base = sqlActual;
    // A statement with "order" but no "order by" keeps the base of the latest load.
    if (const int orden = InStr(sql, kOrderBy); orden > 0) {
        busqueda.ordenPor = sql.mid(orden - 1);
        base = sql.left(orden - 1);
    }
    const QString conector = Contains(sql, QStringLiteral("where")) ? QStringLiteral(" and ")
                                                                    : QStringLiteral(" where ");
    QString condicion;
    if (contiene) {
        busqueda.textoCaja = texto;
        condicion =
            campo + QStringLiteral(" like '%") + EntreComillas(texto) + QStringLiteral("%' ");
    } else {
        busqueda.textoCaja =
            vexilo::VexUtil().ReemplazarTexto(texto, QStringLiteral("*"), QStringLiteral("%"));
        condicion = campo + QStringLiteral(" like '") + EntreComillas(busqueda.textoCaja) +
                    QStringLiteral("%' ");
    }
    busqueda.sql = base + conector + PrefijoDeCampos(base) + condicion + busqueda.ordenPor;
    return busqueda;
}

}  // namespace lookup
