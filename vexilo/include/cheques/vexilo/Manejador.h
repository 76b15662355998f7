#pragma once

#include <QString>

#include "cheques/runtime/Steps.h"

namespace vexilo {

class VexUtil;

// The step handler of a procedure whose failures go to the shared error handler (TratarError)
// under a context name: the user's Retry runs the step again, Ignore goes on with the next
// step, anything else leaves. The utility object must outlive the handler.
rt::Steps::Handler Manejador(const VexUtil& util, const QString& contexto);

}  // namespace vexilo
