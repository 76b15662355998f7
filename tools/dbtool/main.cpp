#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <optional>

#include "ConsoleDialogs.h"
#include "DbTool.h"
#include "TextInput.h"
#include "cheques/ui/AbrirPantalla.h"
#include "cheques/ui/Aplicacion.h"
#include "cheques/ui/QtDialogs.h"

// dbtool: the database component from the command line. Message boxes go to standard error
// and are answered with their negative choice. No window is opened, except "Control de Acceso"
// with --ask: only then does the tool run as a graphical application.
int main(int argc, char** argv) {
    // An argument that is not UTF-8 would be read with replacement characters: refused whole.
    if (const std::optional<QString> problem = tools::InvalidArgument(argc, argv)) {
        std::fputs(qPrintable(QStringLiteral("dbtool: %1\n").arg(*problem)), stderr);
        return tools::kExitUsage;
    }
    QStringList given;
    for (int i = 1; i < argc; ++i) {
        given << QString::fromLocal8Bit(argv[i]);
    }
    const bool windows = tools::ShowsWindows(given);
    std::unique_ptr<QCoreApplication> app;
    std::optional<ui::Aplicacion> aplicacion;
    if (windows) {
        app = ui::AbrirPantalla(argc, argv);
        aplicacion.emplace();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    ui::QtDialogs qtDialogs;
    tools::ConsoleDialogs dialogs(stderr, windows ? &qtDialogs : nullptr);
    const ui::ScopedDialogs installed(dialogs);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return tools::RunDbTool(args, dialogs);
}
