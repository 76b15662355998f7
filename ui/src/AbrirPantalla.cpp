#include "cheques/ui/AbrirPantalla.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace ui {

namespace {

// The categories in which Qt explains, line by line, why no platform could start.
constexpr char kPlataforma[] = "qt.qpa";

QByteArray Pantalla() {
    const QByteArray x = qgetenv("DISPLAY");
    if (!x.isEmpty()) {
        return "DISPLAY=" + x;
    }
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    return wayland.isEmpty() ? QByteArray("DISPLAY no está definida")
                             : "WAYLAND_DISPLAY=" + wayland;
}

}  // namespace

void AvisarSinPantalla(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (tipo == QtFatalMsg) {
        std::fprintf(stderr, "%s: no se puede abrir una ventana: no hay pantalla (%s).\n",
                     program_invocation_short_name, Pantalla().constData());
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (contexto.category != nullptr &&
        qstrncmp(contexto.category, kPlataforma, sizeof(kPlataforma) - 1) == 0) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contexto, texto)));
}

}  // namespace ui
