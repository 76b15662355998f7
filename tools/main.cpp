#include <QCoreApplication>

#include "ConsoleDialogs.h"
#include "DbTool.h"

// dbtool: the database component from the command line. Message boxes go to standard error
// and are answered with their negative choice; no window is opened.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tools::ConsoleDialogs dialogs;
    const ui::ScopedDialogs installed(dialogs);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return tools::RunDbTool(args, dialogs);
}
