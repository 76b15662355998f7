#pragma once

#include <QString>

namespace db {

// What "Control de Acceso" asks for: user, password, database and server, and whether the user
// chose the ORACLE platform rather than SQL Server.
struct ParametrosAcceso {
    QString usuario;
    QString password;
    QString dbName;
    QString servidor;
    bool oracle = false;

    bool operator==(const ParametrosAcceso&) const = default;
};

}  // namespace db
