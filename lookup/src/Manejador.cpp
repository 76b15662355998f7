#include "Manejador.h"

#include "vexilo/VexUtil.h"

namespace lookup {

rt::Steps::Handler Manejador(const vexilo::VexUtil& util, const QString& contexto) {
    return [&util, contexto](const rt::RuntimeError& error) {
        return rt::AnswerFromCode(util.TratarError(error, contexto));
    };
}

}  // namespace lookup
