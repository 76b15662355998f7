#pragma once

#include <QString>
#include <vector>

#include "cheques/runtime/Variant.h"

namespace ado {

// A bag of named provider properties; names are matched ignoring case.
class Properties {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Contains(const QString& name) const;
    // The value of a property; a missing name raises 3265.
    const rt::Variant& Item(const QString& name) const;
    // The value, or fallback when the property is missing.
    rt::Variant Value(const QString& name, const rt::Variant& fallback = {}) const;
    // Sets (adding when missing) a property.
    void SetItem(const QString& name, const rt::Variant& value);
    const QString& Name(int index) const { return items_.at(static_cast<size_t>(index)).name; }

  private:
    struct Entry {
        QString name;
        rt::Variant value;
    };
    int IndexOf(const QString& name) const;
    std::vector<Entry> items_;
};

}  // namespace ado
