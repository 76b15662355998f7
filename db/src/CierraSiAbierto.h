#pragma once

#include "cheques/ado/Enums.h"

namespace db {

// Closes an ADO recordset or connection that is open; a closed one is left alone (closing it
// would raise "operation not allowed when closed").
template <typename Objeto>
void CierraSiAbierto(Objeto& objeto) {
    if (objeto.State() != ado::adStateClosed) {
        objeto.Close();
    }
}

}  // namespace db
