// The INI store on any file: every value the file held before a write reads back the same
// after it, and the value written reads back as written (line breaks as blanks, surrounding
// blanks and one pair of matching quotes dropped, as every value reads).

#include <QFile>
#include <QRegularExpression>
#include <utility>
#include <vector>

#include "Fuzz.h"
#include "cheques/runtime/Text.h"
#include "cheques/vexilo/VexIni.h"

namespace {

constexpr double kPorDefecto = -7.25;  // what a missing key reads as
constexpr int kMaximoDeClaves = 32;    // keys of the file compared before and after a write

using Clave = std::pair<QString, QString>;  // section and key

// Blanks (spaces and tabs) at either end dropped, as the store reads names and values.
QString SinBlancos(const QString& texto) {
    static const QRegularExpression kBordes(QStringLiteral("\\A[ \t]+|[ \t]+\\z"));
    return QString(texto).remove(kBordes);
}

bool TieneSalto(const QString& texto) {
    return texto.contains(QLatin1Char('\r')) || texto.contains(QLatin1Char('\n'));
}

// A section and a key that a file can hold at all.
bool NombresValidos(const QString& seccion, const QString& clave) {
    const QString s = SinBlancos(seccion);
    const QString k = SinBlancos(clave);
    return !s.isEmpty() && !k.isEmpty() && !TieneSalto(seccion) && !TieneSalto(clave) &&
           !s.contains(QLatin1Char(']')) && !k.contains(QLatin1Char('=')) &&
           !k.startsWith(QLatin1Char(';')) && !k.startsWith(QLatin1Char('['));
}

QString ComoSeLee(QString valor) {
    valor.replace(QLatin1String("\r\n"), QLatin1String(" "));
    valor.replace(QLatin1Char('\r'), QLatin1Char(' '));
    valor.replace(QLatin1Char('\n'), QLatin1Char(' '));
    valor = SinBlancos(valor);
    if (valor.size() >= 2 &&
        (valor.front() == QLatin1Char('"') || valor.front() == QLatin1Char('\'')) &&
        valor.back() == valor.front()) {
        valor = valor.mid(1, valor.size() - 2);
    }
    return valor;
}

// The keys that the lines of the file name, each under the section header above it.
std::vector<Clave> ClavesDelArchivo(const QString& texto) {
    std::vector<Clave> claves;
    QString seccion;
    for (const QString& linea : texto.split(QLatin1Char('\n'))) {
        const QString limpia = SinBlancos(linea);
        if (limpia.startsWith(QLatin1Char('['))) {
            seccion = limpia.mid(1).section(QLatin1Char(']'), 0, 0);
        } else if (limpia.contains(QLatin1Char('=')) &&
                   static_cast<int>(claves.size()) < kMaximoDeClaves) {
            claves.emplace_back(seccion, limpia.section(QLatin1Char('='), 0, 0));
        }
    }
    return claves;
}

bool MismaClave(const Clave& a, const Clave& b) {
    return rt::text::Equals(SinBlancos(a.first), SinBlancos(b.first)) &&
           rt::text::Equals(SinBlancos(a.second), SinBlancos(b.second));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider datos(data, size);
    const Clave escrita{fuzz::Campo(datos), fuzz::Campo(datos)};
    const QString valor = fuzz::Campo(datos);
    const std::string contenido = datos.ConsumeRemainingBytesAsString();
    if (!NombresValidos(escrita.first, escrita.second)) {
        return 0;
    }
    const QString ruta = fuzz::Carpeta() + QStringLiteral("/prueba.ini");
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    archivo.write(contenido.data(), static_cast<qint64>(contenido.size()));
    archivo.close();

    const QByteArray bytes = QByteArray::fromStdString(contenido);
    std::vector<Clave> claves = ClavesDelArchivo(QString::fromUtf8(bytes));
    const std::vector<Clave> ansi = ClavesDelArchivo(QString::fromLatin1(bytes));
    claves.insert(claves.end(), ansi.begin(), ansi.end());
    const vexilo::VexIni ini;
    std::vector<QString> antes;
    for (const Clave& clave : claves) {
        antes.push_back(ini.LeerValor(ruta, clave.first, clave.second, kPorDefecto));
    }
    ini.GrabarValor(ruta, escrita.first, escrita.second, valor);

    const QString leido = ini.LeerValor(ruta, escrita.first, escrita.second, kPorDefecto);
    fuzz::Exigir(leido == ComoSeLee(valor), "the value written reads back", leido,
                 ComoSeLee(valor));
    for (std::size_t i = 0; i < claves.size(); ++i) {
        if (MismaClave(claves[i], escrita)) {
            continue;
        }
        const QString despues = ini.LeerValor(ruta, claves[i].first, claves[i].second, kPorDefecto);
        fuzz::Exigir(despues == antes[i], "another key keeps its value", despues, antes[i]);
    }
    return 0;
}
