// The request's tree road.
#include "lookup/Lib_ClsCons3.h"

namespace lookup {

// The tree window comes as a piece of its own; until it does, a tree request shows no window
// and hands back what a cancelled tree window would: no values and an empty value.
void Lib_ClsCons3::MostrarArbol(const QString& sentencia) {
    Q_UNUSED(sentencia);
    Valores.reset();
    Checks = false;
    ValorDevuelto = QString();
}

}  // namespace lookup
