#include "cheques/db/PedidoDeAcceso.h"

namespace db {

namespace {

PedidoDeAcceso*& Instalado() {
    static PedidoDeAcceso* instalado = nullptr;
    return instalado;
}

}  // namespace

PedidoDeAcceso::PedidoDeAcceso(Pedir pedir) : pedir_(std::move(pedir)), previo_(Instalado()) {
    Instalado() = this;
}

PedidoDeAcceso::~PedidoDeAcceso() {
    Instalado() = previo_;
}

std::optional<ParametrosAcceso> PedidoDeAcceso::Preguntar(const ParametrosAcceso& actuales) {
    const PedidoDeAcceso* instalado = Instalado();
    if (instalado == nullptr || !instalado->pedir_) {
        return std::nullopt;
    }
    return instalado->pedir_(actuales);
}

}  // namespace db
