#pragma once

#include <QString>
#include <QStringList>

#include "cheques/runtime/Variant.h"

namespace tools {

class ConsoleDialogs;

// Exit codes of dbtool and consulta.
enum ExitCode : int {
    kExitOk = 0,
    kExitFailed = 1,         // the operation failed: a box was shown, an error was raised
    kExitUsage = 2,          // bad arguments
    kExitNothingChosen = 3,  // consulta: the window was closed with a choice that holds nothing
};

// Runs one dbtool command (the arguments without the program name) on the default database
// component and returns the exit code. Every box goes through dialogs, which must already be
// installed.
int RunDbTool(const QStringList& args, const ConsoleDialogs& dialogs);

// Whether the command asks for its connection parameters in "Control de Acceso" (--ask), and
// so needs a QApplication and real windows.
bool ShowsWindows(const QStringList& args);

// A value as one field of a tab-separated line: Null as empty; tab, line feed and backslash
// written as \t, \n and \\.
QString EscapeField(const rt::Variant& value);

}  // namespace tools
