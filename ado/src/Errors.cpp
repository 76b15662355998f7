#include "cheques/ado/Errors.h"

#include "AdoError.h"
#include "cheques/ado/Enums.h"

namespace ado {

const Error& Errors::Item(int index) const {
    if (index < 0 || index >= Count()) {
        RaiseAdoError(err::ItemNotFound);
    }
    return items_[static_cast<size_t>(index)];
}

}  // namespace ado
