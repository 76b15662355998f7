// The synonym redirection, for an ordinary user and an administrator, and the form a
// data-changing statement goes through.

#include "Synonyms.h"
#include "Fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql = fuzz::Texto(data, size);
    for (const bool esAdmin : {false, true}) {
        db::SS_TSinonimos(sql, esAdmin);
        db::SinonimosParaEjecutar(sql, esAdmin);
    }
    // An administrator's statement only loses its markers.
    const QString admin = db::SS_TSinonimos(sql, true);
    const QString sinMarcas = db::QuitaMarcaAdmin(sql);
    fuzz::Exigir(admin == sinMarcas, "administrator: markers removed only", admin, sinMarcas);
    return 0;
}
