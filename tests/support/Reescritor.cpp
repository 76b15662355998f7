// The rewriter that the kill tests start and kill, and that the tests of writers at once start
// four at a time.
//   reescritor ini FILE       for ever, the INI store: key K of section S, alternately
//                             ValorMatado(false/true); says "1" on standard output once the
//                             first rewrite is complete
//   reescritor anchos FOLDER  the same with the column-width file: table T
//   reescritor ini FILE KEY N        sets key KEY of section S to 1, 2... N, then ends
//   reescritor anchos FOLDER TABLE N sets the widths of TABLE to "1|", "2|"... "N|", then ends

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AnchosConsulta.h"
#include "ContenidoMatado.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/vexilo/VexIni.h"

namespace {

void Grabar(bool ini, const QString& ruta, const QString& clave, const QString& valor) {
    if (ini) {
        vexilo::VexIni().GrabarValor(ruta, kSeccionMatada, clave, valor);
    } else {
        lookup::GuardarAnchos(ruta, {clave, valor});
    }
}

int Reescribir(bool ini, const QString& ruta) {
    for (bool segundo = true, primera = true;; segundo = !segundo, primera = false) {
        Grabar(ini, ruta, ini ? kClaveMatada : kTablaMatada, ValorMatado(segundo));
        if (primera) {
            std::puts("1");
            std::fflush(stdout);
        }
    }
}

int EscribirVeces(bool ini, const QString& ruta, const QString& clave, int veces) {
    for (int vez = 1; vez <= veces; ++vez) {
        const QString valor = QString::number(vez) + (ini ? QString() : QStringLiteral("|"));
        try {
            Grabar(ini, ruta, clave, valor);
        } catch (const rt::RuntimeError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.Description()));
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: reescritor ini FILE | anchos FOLDER [KEY|TABLE N]\n");
        return 2;
    }
    const bool ini = std::strcmp(argv[1], "ini") == 0;
    const QString ruta = QString::fromLocal8Bit(argv[2]);
    if (argc == 3) {
        return Reescribir(ini, ruta);
    }
    return EscribirVeces(ini, ruta, QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
}
