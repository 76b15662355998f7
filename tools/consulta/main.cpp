#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <optional>

#include "ConsultaTool.h"
#include "DbTool.h"
#include "TextInput.h"
#include "cheques/ui/AbrirPantalla.h"
#include "cheques/ui/Aplicacion.h"

// consulta: a record picker for scripts. A graphical tool: the list window and every message
// box are real windows; the choice is written to standard output. The command line is read and
// checked before the display is opened: --help, --version and usage errors need none, and a
// command line that needs one says so in one line when there is none.
int main(int argc, char** argv) {
    // An argument that is not UTF-8 would be read with replacement characters: refused whole.
    if (const std::optional<QString> problem = tools::InvalidArgument(argc, argv)) {
        std::fputs(qPrintable(QStringLiteral("consulta: %1\n").arg(*problem)), stderr);
        return tools::kExitUsage;
    }
    QStringList given;
    for (int i = 1; i < argc; ++i) {
        given << QString::fromLocal8Bit(argv[i]);
    }
    // These names fix the folder where the column widths are remembered.
    QCoreApplication::setOrganizationName(QStringLiteral("Vexilo"));
    QCoreApplication::setApplicationName(QStringLiteral("consulta"));
    tools::ConsultaCommand consulta(given);
    std::unique_ptr<QCoreApplication> app;
    std::optional<ui::Aplicacion> aplicacion;
    if (!consulta.NeedsWindows()) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const auto openWindows = [&] {
        app = ui::AbrirPantalla(argc, argv);
        aplicacion.emplace();
    };
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = consulta.Run(out, err, openWindows);
    // The request released its window with deleteLater; let it go before the program ends.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    out.flush();
    err.flush();
    return code;
}
