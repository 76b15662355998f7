#include "cheques/vexilo/Manejador.h"

#include "cheques/vexilo/VexUtil.h"

namespace vexilo {

rt::Steps::Handler Manejador(const VexUtil& util, const QString& contexto) {
    return [&util, contexto](const rt::RuntimeError& error) {
        return rt::AnswerFromCode(util.TratarError(error, contexto));
    };
}

}  // namespace vexilo
