#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

// Kills the rewriter of the kill tests (Reescritor.cpp) again and again while it rewrites a
// file, and checks what the file holds after each kill.
struct Matanza {
    QString programa;                     // the rewriter
    QStringList argumentos;               // what it rewrites
    QString ruta;                         // the file it rewrites
    std::array<QByteArray, 2> completos;  // the two complete contents it alternates
};

// Starts the rewriter `muertes` times; each time waits until its first rewrite is complete,
// lets it go on rewriting for a random while (from a fixed seed, so that a run repeats) and
// kills it with SIGKILL, then reads the file. Empty when the file held one of the complete
// contents after every kill; otherwise what went wrong, naming the kill.
QString MatarReescritor(const Matanza& matanza, int muertes);
