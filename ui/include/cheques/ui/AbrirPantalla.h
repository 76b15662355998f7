#pragma once

#include <QApplication>
#include <QtGlobal>
#include <memory>

namespace ui {

// Reports a display that cannot be opened: Qt's own messages of the platform's failure are
// left out, and its fatal one becomes one line on standard error and exit status 1.
void AvisarSinPantalla(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto);

// Makes the program's application object, which opens the display. A program that cannot (no X
// server or Wayland compositor to reach) ends with one clear line and exit status 1, where Qt
// would abort with a core.
template <class Programa = QApplication>
std::unique_ptr<Programa> AbrirPantalla(int& argc, char** argv) {
    const QtMessageHandler previo = qInstallMessageHandler(&AvisarSinPantalla);
    auto programa = std::make_unique<Programa>(argc, argv);
    qInstallMessageHandler(previo);
    return programa;
}

}  // namespace ui
