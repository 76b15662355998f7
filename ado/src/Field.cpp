#include "cheques/ado/Field.h"

#include "AdoError.h"
#include "cheques/ado/Enums.h"

namespace ado {

const rt::Variant& Field::Value() const {
    if (row_ == nullptr || row_->values == nullptr) {
        RaiseAdoError(err::NoCurrentRecord);
    }
    return row_->values[index_];
}

}  // namespace ado
