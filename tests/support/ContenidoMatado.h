#pragma once

#include <QString>

// What the rewriter of the kill tests (Reescritor.cpp) writes, so that a test knows the two
// complete contents a file may hold after a kill.

inline const QString kSeccionMatada = QStringLiteral("S");
inline const QString kClaveMatada = QStringLiteral("K");
inline const QString kTablaMatada = QStringLiteral("T");

// The two values the rewriter alternates: long enough that a kill often lands while one is
// being written, and of different lengths, so that a file holding part of one, or parts of
// both, is told apart from either.
inline QString ValorMatado(bool segundo) {
    constexpr int kLargoPrimero = 32 * 1024;
    constexpr int kLargoSegundo = 24 * 1024;
    return segundo ? QString(kLargoSegundo, QLatin1Char('b')) + QStringLiteral("|fin")
                   : QString(kLargoPrimero, QLatin1Char('a')) + QStringLiteral("|fin");
}
