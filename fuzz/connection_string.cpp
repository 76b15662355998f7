// Connection strings: reading any text, masking its passwords, deciding its provider; and the
// round trip of the strings the program builds: reading what was built gives every value back,
// and masking it hides the whole password.

#include "ConnectionStrings.h"
#include "Fuzz.h"
#include "cheques/ado/ConnectionString.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

const QString kMascara = QStringLiteral("***");

// The value of a keyword as the reader gives it back from a built string.
void ExigirValor(const QString& connString, const char* clave, const QString& esperado) {
    const QString leido = ado::ConnectionStringValue(connString, QLatin1String(clave));
    fuzz::Exigir(leido == esperado, clave, leido, esperado);
}

void LeerCualquiera(const QString& texto) {
    ado::ParseConnectionString(texto);
    ado::MaskPassword(texto);
    try {
        ado::TranslateConnectionString(texto);
    } catch (const rt::RuntimeError&) {
        // An unknown provider is refused with its error.
    }
}

void IdaYVuelta(const QString& proveedor, const QString& servidor, const QString& base,
                const QString& usuario, const QString& clave) {
    const QString armada = db::ArmaConnString(proveedor, servidor, base, usuario, clave, {});
    const QString enmascarada = ado::MaskPassword(armada);
    if (proveedor.contains(QLatin1String("ORACLE"), Qt::CaseInsensitive)) {
        ExigirValor(armada, "Data Source", base);
        ExigirValor(armada, "User Id", usuario);
        ExigirValor(armada, "Password", clave);
        ExigirValor(enmascarada, "Password", kMascara);
        return;
    }
    ExigirValor(armada, "PROVIDER", proveedor);
    ExigirValor(armada, "Server", servidor);
    ExigirValor(armada, "Database", base);
    ExigirValor(armada, "UId", usuario);
    ExigirValor(armada, "Pwd", clave);
    ExigirValor(enmascarada, "Pwd", kMascara);
    ExigirValor(enmascarada, "UId", usuario);
}

// An ODBC attribute value quoted for the driver manager reads back as it was.
void ValorOdbc(const QString& valor) {
    const QString atributo = QStringLiteral("K=") + ado::QuoteOdbcValue(valor) + QLatin1Char(';');
    ExigirValor(atributo, "K", valor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LeerCualquiera(fuzz::Texto(data, size));
    FuzzedDataProvider datos(data, size);
    const QString proveedor = fuzz::Campo(datos);
    const QString servidor = fuzz::Campo(datos);
    const QString base = fuzz::Campo(datos);
    const QString usuario = fuzz::Campo(datos);
    const QString clave = fuzz::Campo(datos);
    IdaYVuelta(proveedor, servidor, base, usuario, clave);
    ValorOdbc(clave);
    return 0;
}
