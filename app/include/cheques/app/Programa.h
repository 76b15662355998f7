#pragma once

#include <QApplication>

#include "cheques/runtime/RuntimeError.h"
#include "cheques/ui/Aplicacion.h"

namespace app {

// The program: its names (which fix the user's configuration folder), its start and its last
// line of error reporting.
class Programa : public QApplication {
    Q_OBJECT

  public:
    Programa(int& argc, char** argv);
    ~Programa() override;

    // A run-time error that no procedure handled ends its event here: it is reported and the
    // program ends.
    bool notify(QObject* receiver, QEvent* event) override;

    // Tells the user about a run-time error that no procedure handled.
    static void ReportarError(const rt::RuntimeError& error);

    // Opens the main window and runs until it is closed; then releases the shared windows,
    // the hidden popup menu host included.
    static int Ejecutar();

  private:
    ui::Aplicacion aplicacion_;
};

}  // namespace app
