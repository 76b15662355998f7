#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Starts one program several times at once, each with its own arguments, and waits for them
// all. Empty when every one ended well; otherwise what went wrong, naming the run.
QString EscribirALaVez(const QString& programa, const std::vector<QStringList>& argumentos);
