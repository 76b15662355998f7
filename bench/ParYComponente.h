#pragma once

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>
#include <cstdio>
#include <memory>

#include "cheques/db/DB_Dll.h"

// Opens one SQLite file twice: for the peer, through Qt's QSQLITE driver under the connection
// name `conexionPar`, filled by `llenar`; and for us, as the database component's default
// connection. False (with a line on standard error) when the peer cannot open it.
template <typename Llenar>
bool AbrirParYComponente(const QString& path, const char* conexionPar, Llenar&& llenar) {
    QSqlDatabase par =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(conexionPar));
    par.setDatabaseName(path);
    if (!par.open()) {
        std::fprintf(stderr,
                     "the peer cannot open the database (is the QSQLITE driver installed?)\n");
        return false;
    }
    llenar(par);
    const QString conn = QStringLiteral("Provider=SQLite;Data Source=") + path;
    db::DB_Dll& db = db::DB_Dll::Default();
    db.gCnn()->Open(conn);
    db.gConnString = conn;
    return true;
}

// Releases a window, and the objects it handed to deleteLater, before the next iteration.
template <typename Ventana>
void Soltar(std::unique_ptr<Ventana>& ventana) {
    ventana.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
