#include "FaltanteConsulta.h"

#include "cheques/runtime/Text.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

constexpr int kLargoIdArticulo = 25;

QString Literal(QString texto) {
    return texto.replace(QLatin1Char('\''), QLatin1String("''"));
}

}  // namespace

QString PreguntaFaltante(const QString& idArticulo, const QString& descripcion) {
    return QStringLiteral("Desea informar el articulo ") + rt::text::Trim(idArticulo) +
           QLatin1Char(' ') + rt::text::Trim(descripcion) +
           QStringLiteral("\r\ncomo un faltante de stock?");
}

QString SentenciaFaltante(const QString& fechaHora, const QString& idArticulo,
                          const QString& descripcion, const QString& usuario) {
    const QString separador = QStringLiteral("','");
    return QStringLiteral(
               "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('") +
           Literal(fechaHora) + separador +
           Literal(vexilo::VexUtil().AjustarTexto(idArticulo, kLargoIdArticulo)) + separador +
           Literal(rt::text::Trim(descripcion)) + separador + Literal(usuario) +
           QStringLiteral("')");
}

}  // namespace lookup
