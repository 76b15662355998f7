#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "ConsultaTool.h"

// consulta: a record picker for scripts. A graphical tool: the list window and every message
// box are real windows; the choice is written to standard output.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // These names fix the folder where the column widths are remembered.
    QApplication::setOrganizationName(QStringLiteral("Vexilo"));
    QApplication::setApplicationName(QStringLiteral("consulta"));
    QStringList args = QApplication::arguments();
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
