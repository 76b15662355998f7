#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "cheques/runtime/Variant.h"

namespace rt {

// An ordered collection of values with optional unique text keys (matched ignoring case),
// indexed from 1. A released collection ("nothing") is a null CollectionRef, distinct from an
// empty collection.
class Collection {
  public:
    int Count() const { return static_cast<int>(items_.size()); }

    // Adds at the end; raises "invalid procedure call" (5) when the key is already used.
    void Add(const Variant& item, const QString& key = {});

    // By position (1..Count) or by key; a missing item raises "invalid procedure call" (5).
    const Variant& Item(int index) const;
    const Variant& Item(const QString& key) const;
    bool Contains(const QString& key) const;

    void Remove(int index);
    void Remove(const QString& key);
    void Clear() { items_.clear(); }

  private:
    struct Entry {
        Variant value;
        QString key;
    };

    int IndexOf(const QString& key) const;
    std::vector<Entry> items_;
};

using CollectionRef = std::shared_ptr<Collection>;

inline CollectionRef NewCollection() {
    return std::make_shared<Collection>();
}

}  // namespace rt
