#include "cheques/ui/Aplicacion.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "cheques.xpm"

namespace ui {

namespace {

const QString kTraduccionQt = QStringLiteral("qtbase_es");
const QString kEntradaDeEscritorio = QStringLiteral("cheques");  // cheques.desktop

// Qt ends the process with exit() from inside the event loop when it loses the display; the
// application object is still alive then, which it never is once main has returned. Standard
// error gets one line, and the process ends at once: tearing down windows whose display is gone
// would crash it.
void AlSalir() {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    const QByteArray programa =
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toLocal8Bit();
    std::fprintf(stderr, "%s: se perdió la conexión con la pantalla; el programa termina.\n",
                 programa.constData());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

std::unique_ptr<QTranslator> TraduccionDeQt() {
    auto traductor = std::make_unique<QTranslator>();
    if (!traductor->load(kTraduccionQt, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return nullptr;
    }
    QCoreApplication::installTranslator(traductor.get());
    return traductor;
}

}  // namespace

Aplicacion::Aplicacion() : traductor_(TraduccionDeQt()) {
    QGuiApplication::setWindowIcon(QIcon(QPixmap(cheques_xpm)));
    QGuiApplication::setDesktopFileName(kEntradaDeEscritorio);
    static std::once_flag registrado;
    std::call_once(registrado, [] { std::atexit(AlSalir); });
}

Aplicacion::~Aplicacion() {
    if (traductor_) {
        QCoreApplication::removeTranslator(traductor_.get());
    }
}

}  // namespace ui
