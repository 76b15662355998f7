#include "app/Programa.h"

int main(int argc, char** argv) {
    app::Programa programa(argc, argv);
    return app::Programa::Ejecutar();
}
