#include <cstdio>
#include <string_view>

#include "cheques/Version.h"
#include "cheques/app/Programa.h"
#include "cheques/ui/AbrirPantalla.h"

namespace {

constexpr const char* kHelp =
    "Usage: cheques [--help | --version]\n"
    "Consulta de Cheques: the cheques held in portfolio that are due to be credited today.\n"
    "\n"
    "Options:\n"
    "  -h, --help     shows this help\n"
    "  -v, --version  shows the version\n";

}  // namespace

// The window reads no arguments. --help and --version, given alone, are answered before any
// window is made, so that they work without a display.
int main(int argc, char** argv) {
    if (argc == 2) {
        const std::string_view argument = argv[1];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (argument == "--version" || argument == "-v") {
            std::printf("cheques %s\n", rt::Version());
            return 0;
        }
    }
    const auto programa = ui::AbrirPantalla<app::Programa>(argc, argv);
    return app::Programa::Ejecutar();
}
