#include "cheques/Version.h"

namespace rt {

const char* Version() {
    return CHEQUES_VERSION_STRING;
}

}  // namespace rt
