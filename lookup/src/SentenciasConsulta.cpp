#include "SentenciasConsulta.h"

#include <cmath>
#include <limits>

#include "cheques/runtime/Text.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

using rt::text::Contains;
using rt::text::Equals;
using rt::text::Trim;

const QChar kRellenoNulo(0);
const QChar kRellenoAlto(0xFF);
const QString kVistaArticulos = QStringLiteral("V_MA_ARTICULOS");
const QString kVistaStockArticulos = QStringLiteral("VT_MA_ARTICULOS");

// A mask field without the padding bytes of its fixed-length record, trimmed.
QString SinRelleno(const QString& campo) {
    return Trim(vexilo::VexUtil().TransformarTexto(campo, kRellenoNulo, kRellenoAlto));
}

// The mask's column list: "|" read as ",", one leading and one trailing "," dropped, "*" for
// none.
QString ColumnasDeMascara(const QString& campos) {
    QString lista = Trim(vexilo::VexUtil().ReemplazarTexto(SinRelleno(campos), QStringLiteral("|"),
                                                           QStringLiteral(",")));
    if (lista.startsWith(QLatin1Char(','))) {
        lista.remove(0, 1);
    }
    if (lista.endsWith(QLatin1Char(','))) {
        lista.chop(1);
    }
    return lista.isEmpty() ? QStringLiteral("*") : lista;
}

// The customers, suppliers and articles views show only their live rows unless the mask or the
// caller says otherwise; the articles view is read through its stock view.
void FiltrosFijos(QString& tabla, QString& filtro) {
    if (Equals(tabla, QStringLiteral("VT_PROVEEDORES")) ||
        Equals(tabla, QStringLiteral("VT_CLIENTES"))) {
        if (filtro.isEmpty()) {
            filtro = QStringLiteral("Dada_De_Baja = 0");
        }
    } else if (Equals(tabla, kVistaArticulos)) {
        tabla = kVistaStockArticulos;
        if (filtro.isEmpty()) {
            filtro = QStringLiteral("SUSPENDIDO = 0");
        }
    }
}

bool EsColumnaOmitida(const QString& nombre) {
    return Equals(nombre, QStringLiteral("ID")) ||
           Equals(nombre, QStringLiteral("FECHAHORA_MODIFICACION")) ||
           Equals(nombre, QStringLiteral("FECHAHORA_GRABACION"));
}

bool EsColumnaDescriptiva(const QString& nombre) {
    return Equals(nombre, QStringLiteral("DESCRIPCION")) ||
           Equals(nombre, QStringLiteral("NOMBRE")) || Equals(nombre, QStringLiteral("DETALLE"));
}

QString Top(int filas) {
    return QStringLiteral("SELECT TOP ") + QString::number(filas) + QLatin1Char(' ');
}

}  // namespace

QString EnvolverCondicion(const QString& where) {
    if (Trim(where).size() > 1 && !where.startsWith(QLatin1Char('('))) {
        return QStringLiteral(" (") + where + QStringLiteral(") ");
    }
    return where;
}

int FilasConsulta(const QString& topConsArt) {
    const double valor = std::nearbyint(rt::text::Val(topConsArt));
    // A limit below one row would select nothing, or build "TOP -5", which no database takes.
    if (valor < 1 || valor > std::numeric_limits<int32_t>::max()) {
        return kFilasPorDefecto;
    }
    return static_cast<int>(valor);
}

bool EsSentenciaCompleta(const QString& sql) {
    return Contains(sql, QStringLiteral("SELECT"));
}

QString SentenciaCompleta(const QString& sql) {
    if (!Contains(sql, kVistaArticulos)) {
        return sql;
    }
    return vexilo::VexUtil().SustituirTexto(sql, kVistaArticulos, kVistaStockArticulos);
}

bool MascaraCorresponde(const MascaraConsulta& mascara, const QString& tabla) {
    return Equals(SinRelleno(mascara.TablaMascara), Trim(tabla));
}

ArmadoMascara SentenciaDeMascara(const MascaraConsulta& mascara, int filas,
                                 const QString& campoBusqueda, const QString& where) {
    QString tabla = SinRelleno(mascara.TablaMascara);
    const QString columnas = ColumnasDeMascara(mascara.CamposMascara);
    QString campo = campoBusqueda;
    if (campo.isEmpty()) {
        const auto coma = columnas.indexOf(QLatin1Char(','));
        if (coma < 0) {
            return {false, {}};
        }
        campo = columnas.left(coma);
    }
    QString filtro = SinRelleno(mascara.FiltroMascara);
    if (filtro.isEmpty() && !Trim(where).isEmpty()) {
        filtro = where;
    }
    FiltrosFijos(tabla, filtro);
    QString sentencia = Top(filas) + columnas + QStringLiteral(" FROM ") + tabla;
    if (!Trim(filtro).isEmpty()) {
        sentencia += QStringLiteral(" WHERE ") + filtro;
    }
    if (!campo.isEmpty()) {
        sentencia += QStringLiteral(" ORDER BY ") + campo;
    }
    return {true, {sentencia, campo}};
}

SentenciaArmada SentenciaDeColumnas(const QStringList& campos, const QString& tabla, int filas,
                                    const QString& campoBusqueda) {
    QString lista;
    QString campo = campoBusqueda;
    bool primero = true;
    for (const QString& nombre : campos) {
        if (EsColumnaOmitida(nombre)) {
            continue;
        }
        lista.prepend(nombre + QLatin1Char(','));
        if (primero || EsColumnaDescriptiva(nombre)) {
            campo = nombre;
        }
        primero = false;
    }
    if (Trim(lista).isEmpty()) {
        lista = QStringLiteral(" * ");
    } else {
        lista.chop(1);
    }
    return {Top(filas) + lista + QStringLiteral(" FROM ") + tabla + QStringLiteral(" ORDER BY ") +
                campo,
            campo};
}

QString SentenciaColumnasDe(const QString& tabla) {
    return QStringLiteral("select top 1 * from ") + tabla;
}

}  // namespace lookup
