#include "cheques/runtime/Collection.h"

#include "cheques/runtime/RuntimeError.h"

namespace rt {

void Collection::Add(const Variant& item, const QString& key) {
    if (!key.isEmpty() && IndexOf(key) >= 0) {
        RuntimeError::Raise(err::InvalidProcedureCall);
    }
    items_.push_back({item, key});
}

const Variant& Collection::Item(int index) const {
    if (index < 1 || index > Count()) {
        RuntimeError::Raise(err::InvalidProcedureCall);
    }
    return items_[static_cast<size_t>(index - 1)].value;
}

const Variant& Collection::Item(const QString& key) const {
    const int at = IndexOf(key);
    if (at < 0) {
        RuntimeError::Raise(err::InvalidProcedureCall);
    }
    return items_[static_cast<size_t>(at)].value;
}

bool Collection::Contains(const QString& key) const {
    return IndexOf(key) >= 0;
}

void Collection::Remove(int index) {
    if (index < 1 || index > Count()) {
        RuntimeError::Raise(err::InvalidProcedureCall);
    }
    items_.erase(items_.begin() + (index - 1));
}

void Collection::Remove(const QString& key) {
    const int at = IndexOf(key);
    if (at < 0) {
        RuntimeError::Raise(err::InvalidProcedureCall);
    }
    items_.erase(items_.begin() + at);
}

int Collection::IndexOf(const QString& key) const {
    if (key.isEmpty()) {
        return -1;
    }
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].key.compare(key, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace rt
