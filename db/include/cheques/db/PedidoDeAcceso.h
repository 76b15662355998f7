#pragma once

#include <functional>
#include <optional>

#include "cheques/db/ParametrosAcceso.h"

namespace db {

// How the program asks the user for the connection parameters when a connection is opened:
// installed for the object's lifetime (the last one installed answers). A program with windows
// installs frmAcceso::Pedir (library db_widgets); without any, the question counts as cancelled.
class PedidoDeAcceso {
  public:
    // Shows the parameters to the user; what they accepted, or nothing when they cancelled.
    using Pedir = std::function<std::optional<ParametrosAcceso>(const ParametrosAcceso&)>;

    explicit PedidoDeAcceso(Pedir pedir);
    ~PedidoDeAcceso();
    PedidoDeAcceso(const PedidoDeAcceso&) = delete;
    PedidoDeAcceso& operator=(const PedidoDeAcceso&) = delete;

    // Asks through the installed one.
    static std::optional<ParametrosAcceso> Preguntar(const ParametrosAcceso& actuales);

  private:
    Pedir pedir_;
    PedidoDeAcceso* previo_;
};

}  // namespace db
