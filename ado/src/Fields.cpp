#include "cheques/ado/Fields.h"

#include "AdoError.h"
#include "cheques/ado/Enums.h"

namespace ado {

const Field& Fields::Item(int index) const {
    if (index < 0 || index >= Count()) {
        RaiseAdoError(err::ItemNotFound);
    }
    return items_[static_cast<size_t>(index)];
}

const Field& Fields::Item(const QString& name) const {
    const int index = IndexOf(name);
    if (index < 0) {
        RaiseAdoError(err::ItemNotFound);
    }
    return items_[static_cast<size_t>(index)];
}

int Fields::IndexOf(const QString& name) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].Name().compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Fields::Reset(const std::vector<FieldInfo>& infos, const detail::CurrentRow* row) {
    items_.clear();
    items_.reserve(infos.size());
    for (size_t i = 0; i < infos.size(); ++i) {
        items_.emplace_back(infos[i], row, static_cast<int>(i));
    }
}

}  // namespace ado
