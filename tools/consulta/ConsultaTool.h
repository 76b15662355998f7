#pragma once

#include <QStringList>
#include <functional>
#include <memory>

class QTextStream;

namespace tools {

// One run of consulta (the arguments without the program name). The command line is read and
// checked when the run is made, before anything needs a display.
class ConsultaCommand {
  public:
    explicit ConsultaCommand(const QStringList& args);
    ~ConsultaCommand();
    ConsultaCommand(const ConsultaCommand&) = delete;
    ConsultaCommand& operator=(const ConsultaCommand&) = delete;

    // Whether the run shows a window, and so needs a display: every usable command line but
    // --help and --version. A usage error is answered without one.
    bool NeedsWindows() const;

    // Answers --help, --version or a usage error, or makes the request as RunConsulta says.
    // openWindows, when given, is called once everything that needs no display is done (the
    // password read, the demo database made and said), just before the request's window.
    int Run(QTextStream& out, QTextStream& err, const std::function<void()>& openWindows = {});

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Runs consulta (the arguments without the program name): one lookup request on the default
// database component, opened with the connection options the tools share. The request's window
// is shown through the installed dialogs. The choice goes to out (ValorDevuelto, then one line
// per value with a tab and its quantity when there is one; with --json one JSON object); the
// reasons for a failure go to err. Returns 0 when the clerk chose, 1 when the clerk cancelled or
// the request could not be made, 2 for bad arguments, 3 when the choice holds nothing (no value
// and no values).
int RunConsulta(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace tools
