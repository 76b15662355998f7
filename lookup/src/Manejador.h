#pragma once

#include <QString>

#include "runtime/Steps.h"

namespace vexilo {
class VexUtil;
}

namespace lookup {

// The step handler of a procedure that reports its failures through TratarError under a
// context name: retry, go on or leave as the user answers.
rt::Steps::Handler Manejador(const vexilo::VexUtil& util, const QString& contexto);

}  // namespace lookup
