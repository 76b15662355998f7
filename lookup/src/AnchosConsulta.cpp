#include "AnchosConsulta.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/SharedFile.h"
#include "cheques/runtime/Text.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

constexpr int32_t kErrorAccesoArchivo = 75;  // path/file access error
// Widths beyond what a column can show (32767 pixels at 15 twips a pixel) are not widths.
constexpr double kAnchoMaximoTwips = 32767.0 * 15.0;
constexpr int kDigitosSimple = 7;  // single precision, as the widths are stored

const QChar kComillas(u'"');
const QChar kComa(u',');
const QChar kBarra(u'|');

// One field of a line from position i on; i ends after the comma that closes it.
QString LeerCampo(const QString& linea, qsizetype& i) {
    while (i < linea.size() && linea[i] == QLatin1Char(' ')) {
        ++i;
    }
    QString campo;
    if (i < linea.size() && linea[i] == kComillas) {
        const qsizetype cierre = linea.indexOf(kComillas, i + 1);
        const qsizetype fin = cierre < 0 ? linea.size() : cierre;
        campo = linea.mid(i + 1, fin - i - 1);
        i = fin + 1;
        const qsizetype coma = linea.indexOf(kComa, i);
        i = coma < 0 ? linea.size() : coma + 1;
        return campo;
    }
    const qsizetype coma = linea.indexOf(kComa, i);
    const qsizetype fin = coma < 0 ? linea.size() : coma;
    campo = rt::text::Trim(linea.mid(i, fin - i));
    i = coma < 0 ? linea.size() : coma + 1;
    return campo;
}

QByteArray SinFinDeLinea(QByteArray linea) {
    while (linea.endsWith('\n') || linea.endsWith('\r')) {
        linea.chop(1);
    }
    return linea;
}

[[noreturn]] void FalloDeArchivo(const QString& ruta, const QString& motivo) {
    throw rt::RuntimeError(kErrorAccesoArchivo,
                           QStringLiteral("No se pudo grabar %1: %2").arg(ruta, motivo),
                           QStringLiteral("CONSULTASLEN"));
}

// The records of the file that belong to other tables, as their lines stand.
QByteArray OtrosRegistros(const QByteArray& contenido, const QString& tabla) {
    QByteArray otros;
    for (const QByteArray& linea : contenido.split('\n')) {
        const QByteArray registro = SinFinDeLinea(linea);
        if (registro.trimmed().isEmpty() ||
            rt::text::Equals(LeerRegistroAnchos(registro).tabla, tabla)) {
            continue;
        }
        otros += registro + "\r\n";
    }
    return otros;
}

}  // namespace

QString CarpetaPrograma() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString RutaAnchos(const QString& carpeta) {
    return vexilo::VexUtil().CompletarRuta(carpeta) + kArchivoAnchos;
}

RegistroAnchos LeerRegistroAnchos(const QByteArray& linea) {
    const QString texto = QString::fromUtf8(SinFinDeLinea(linea));
    qsizetype i = 0;
    RegistroAnchos registro;
    registro.tabla = LeerCampo(texto, i);
    registro.anchos = LeerCampo(texto, i);
    return registro;
}

QByteArray EscribirRegistroAnchos(const RegistroAnchos& registro) {
    const QString linea = kComillas + registro.tabla + kComillas + kComa + kComillas +
                          registro.anchos + kComillas + QStringLiteral("\r\n");
    return linea.toUtf8();
}

QString TextoAnchos(std::span<const double> anchosTwips) {
    QString texto;
    for (const double ancho : anchosTwips) {
        texto += rt::text::NumberToText(static_cast<float>(ancho), kDigitosSimple) + kBarra;
    }
    return texto;
}

std::vector<double> AnchosDeTexto(const QString& anchos, int columnas) {
    std::vector<double> leidos;
    QStringView resto(anchos);
    for (int i = 0; i < columnas; ++i) {
        const qsizetype barra = resto.indexOf(kBarra);
        if (barra < 0) {
            break;
        }
        const auto ancho = rt::text::TextToNumber(resto.first(barra).toString());
        if (!ancho || *ancho < 0 || *ancho > kAnchoMaximoTwips) {
            break;
        }
        leidos.push_back(*ancho);
        resto = resto.sliced(barra + 1);
    }
    return leidos;
}

QString TablaDeAnchos(const QString& tablaConsulta, bool archivoExiste) {
    if (archivoExiste && rt::text::Equals(tablaConsulta, QStringLiteral("Stk_ma_articulos"))) {
        return QStringLiteral("VT_MA_ARTICULOS");
    }
    return tablaConsulta;
}

std::vector<std::optional<double>> AnchosGuardados(const QString& ruta, const QString& tabla,
                                                   int columnas) {
    std::vector<std::optional<double>> anchos(static_cast<size_t>(std::max(columnas, 0)));
    QFile archivo(ruta);
    if (!QFileInfo(ruta).isFile() || !archivo.open(QIODevice::ReadOnly)) {
        return anchos;
    }
    while (!archivo.atEnd()) {
        const RegistroAnchos registro = LeerRegistroAnchos(archivo.readLine());
        if (!rt::text::Equals(registro.tabla, tabla)) {
            continue;
        }
        const std::vector<double> leidos = AnchosDeTexto(registro.anchos, columnas);
        std::copy(leidos.begin(), leidos.end(), anchos.begin());
        if (static_cast<int>(leidos.size()) < columnas) {
            break;  // a record that ends early ends the reading
        }
    }
    return anchos;
}

void GuardarAnchos(const QString& carpeta, const RegistroAnchos& registro) {
    const auto fallo = rt::RewriteSharedFile(RutaAnchos(carpeta), [&](const QByteArray& antes) {
        return OtrosRegistros(antes, registro.tabla) + EscribirRegistroAnchos(registro);
    });
    if (fallo) {
        FalloDeArchivo(fallo->path, fallo->reason);
    }
}

}  // namespace lookup
