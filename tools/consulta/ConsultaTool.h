#pragma once

#include <QStringList>

class QTextStream;

namespace tools {

// Runs consulta (the arguments without the program name): one lookup request on the default
// database component, opened with the connection options the tools share. The request's window
// is shown through the installed dialogs. The choice goes to out (ValorDevuelto, then one line
// per value with a tab and its quantity when there is one; with --json one JSON object); the
// reasons for a failure go to err. Returns 0 when the clerk chose, 1 when the clerk cancelled or
// the request could not be made, 2 for bad arguments.
int RunConsulta(const QStringList& args, QTextStream& out, QTextStream& err);

// Whether the arguments ask for the window (and so for a display): all but --help and
// --version do.
bool ConsultaNeedsWindows(const QStringList& args);

}  // namespace tools
