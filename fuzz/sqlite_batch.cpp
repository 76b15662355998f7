// The batch splitter of the embedded provider: statements in the order of their lines, each
// as written in the batch.

#include "Fuzz.h"
#include "SqliteDialect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString batch = fuzz::Texto(data, size);
    int linea = 1;
    for (const ado::BatchStatement& sentencia : ado::SplitBatch(batch)) {
        fuzz::Exigir(sentencia.line >= linea, "statements in line order", sentencia.text);
        fuzz::Exigir(batch.contains(sentencia.text), "a statement as written", sentencia.text,
                     batch);
        linea = sentencia.line;
    }
    return 0;
}
