#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <optional>

#include "ConsultaTool.h"
#include "DbTool.h"
#include "TextInput.h"
#include "ui/Aplicacion.h"

// consulta: a record picker for scripts. A graphical tool: the list window and every message
// box are real windows; the choice is written to standard output. --help and --version need
// no window, and so no display.
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
    std::unique_ptr<QCoreApplication> app;
    std::optional<ui::Aplicacion> aplicacion;
    if (tools::ConsultaNeedsWindows(given)) {
        app = std::make_unique<QApplication>(argc, argv);
        aplicacion.emplace();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // These names fix the folder where the column widths are remembered.
    QCoreApplication::setOrganizationName(QStringLiteral("Vexilo"));
    QCoreApplication::setApplicationName(QStringLiteral("consulta"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = tools::RunConsulta(args, out, err);
    // The request released its window with deleteLater; let it go before the program ends.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    out.flush();
    err.flush();
    return code;
}
