#include "cheques/ado/Properties.h"

#include "AdoError.h"
#include "cheques/ado/Enums.h"

namespace ado {

int Properties::IndexOf(const QString& name) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool Properties::Contains(const QString& name) const {
    return IndexOf(name) >= 0;
}

const rt::Variant& Properties::Item(const QString& name) const {
    const int index = IndexOf(name);
    if (index < 0) {
        RaiseAdoError(err::ItemNotFound);
    }
    return items_[static_cast<size_t>(index)].value;
}

rt::Variant Properties::Value(const QString& name, const rt::Variant& fallback) const {
    const int index = IndexOf(name);
    return index >= 0 ? items_[static_cast<size_t>(index)].value : fallback;
}

void Properties::SetItem(const QString& name, const rt::Variant& value) {
    const int index = IndexOf(name);
    if (index >= 0) {
        items_[static_cast<size_t>(index)].value = value;
        return;
    }
    items_.push_back({name, value});
}

}  // namespace ado
