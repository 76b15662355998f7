#include "cheques/app/Programa.h"

#include "cheques/app/FrmRuvelo.h"
#include "cheques/menus/FrmMenus.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/ui/Dialogs.h"

namespace app {

Programa::Programa(int& argc, char** argv) : QApplication(argc, argv) {
    // These names fix the user's configuration folder, where the INI store keeps its files.
    setOrganizationName(QStringLiteral("Vexilo"));
    setApplicationName(QStringLiteral("Cheques"));
    setApplicationDisplayName(QStringLiteral("Consulta de Cheques"));
}

Programa::~Programa() = default;

bool Programa::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const rt::RuntimeError& error) {
        ReportarError(error);
        QCoreApplication::exit(1);
        return false;
    }
}

void Programa::ReportarError(const rt::RuntimeError& error) {
    QString prompt = QStringLiteral("Se ha producido el error '%1' en tiempo de ejecución:\n\n%2")
                         .arg(error.Number())
                         .arg(error.Description());
    if (!error.Source().isEmpty()) {
        prompt += QStringLiteral("\n\n%1").arg(error.Source());
    }
    ui::MsgBox(prompt, ui::vbCritical, applicationDisplayName());
}

int Programa::Ejecutar() {
    FrmRuvelo& ventana = rt::DefaultInstance<FrmRuvelo>::Get();
    // Closing the window ends the program even if another window is still up.
    connect(&ventana, &QObject::destroyed, qApp, &QCoreApplication::quit);
    ventana.show();
    const int code = exec();
    rt::DefaultInstance<FrmRuvelo>::Release();
    rt::DefaultInstance<menus::FrmMenus>::Release();
    sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}

}  // namespace app
