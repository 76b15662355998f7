// The script cutter, the rest of a script after each statement, and the statement filter.

#include "Fuzz.h"
#include "SqlScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const db::ScriptCortado cortado = db::CortaScript(fuzz::Texto(data, size));
    qsizetype anterior = 0;
    // One past the statements too: the rest after more statements than the script holds.
    for (std::size_t k = 0; k <= cortado.sentencias.size() + 1; ++k) {
        const QString resto = cortado.Resto(k);
        fuzz::Exigir(cortado.normalizado.endsWith(resto), "the rest ends the script", resto,
                     cortado.normalizado);
    }
    for (const db::SentenciaScript& sentencia : cortado.sentencias) {
        fuzz::Exigir(sentencia.fin >= anterior && sentencia.fin <= cortado.normalizado.size(),
                     "statements end in order inside the script", sentencia.texto);
        anterior = sentencia.fin;
        QString texto = sentencia.texto;
        const QString filtrada = db::FiltraSentencia(texto);
        fuzz::Exigir(filtrada == texto && (filtrada.isEmpty() || filtrada == sentencia.texto),
                     "the filter empties or keeps", filtrada, sentencia.texto);
    }
    return 0;
}
