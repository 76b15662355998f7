#include "BusquedaConsulta.h"

#include "cheques/runtime/Text.h"
#include "cheques/vexilo/VexUtil.h"

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

// The base of a search: the statement before its "order by", whose clause is cut into ordenPor;
// a statement with "order" but no "order by" keeps the base it is given.
QString BaseDeBusqueda(const QString& sql, const QString& base, BusquedaArmada& busqueda) {
    if (const int orden = InStr(sql, kOrderBy); orden > 0) {
        busqueda.ordenPor = sql.mid(orden - 1);
        return sql.left(orden - 1);
    }
    return base;
}

QString Conector(const QString& sql) {
    return Contains(sql, QStringLiteral("where")) ? QStringLiteral(" and ")
                                                  : QStringLiteral(" where ");
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
    const QString base = BaseDeBusqueda(sql, sqlActual, busqueda);
    const QString conector = Conector(sql);
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

BusquedaArmada ArmarBusquedaArbol(const QString& sql, const QString& campo, const QString& texto) {
    BusquedaArmada busqueda;
    busqueda.textoCaja = texto;
    const QString base = BaseDeBusqueda(sql, sql, busqueda);
    busqueda.sql = base + Conector(sql) + campo + QStringLiteral(" like '%") +
                   EntreComillas(texto) + QStringLiteral("%' ") + busqueda.ordenPor;
    return busqueda;
}

}  // namespace lookup
