// The rewriter that the kill tests start and kill: it rewrites a file for ever, alternating two
// contents, and says "1" on its standard output once the first rewrite is complete.
//   reescritor ini FILE       the INI store: key K of section S, alternately ValorIni(false/true)
//   reescritor anchos FOLDER  the column-width file: table T, alternately AnchosMatados(...)

#include <cstdio>
#include <cstring>

#include "AnchosConsulta.h"
#include "ContenidoMatado.h"
#include "vexilo/VexIni.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: reescritor ini FILE | anchos FOLDER\n");
        return 2;
    }
    const bool ini = std::strcmp(argv[1], "ini") == 0;
    const QString ruta = QString::fromLocal8Bit(argv[2]);
    for (bool segundo = true, primera = true;; segundo = !segundo, primera = false) {
        if (ini) {
            vexilo::VexIni().GrabarValor(ruta, kSeccionMatada, kClaveMatada, ValorMatado(segundo));
        } else {
            lookup::GuardarAnchos(ruta, {kTablaMatada, ValorMatado(segundo)});
        }
        if (primera) {
            std::puts("1");
            std::fflush(stdout);
        }
    }
}
