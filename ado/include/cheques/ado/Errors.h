#pragma once

#include <vector>

#include "cheques/ado/Error.h"

namespace ado {

// The provider errors of the last failing call on a connection, in the provider's order.
class Errors {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    // By position from 0, as ADO's collections count; out of range raises 3265.
    const Error& Item(int index) const;
    void Clear() { items_.clear(); }

    // Replaces the collection with the errors of a new failure.
    void Assign(std::vector<Error> errors) { items_ = std::move(errors); }
    void Add(const Error& error) { items_.push_back(error); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<Error> items_;
};

}  // namespace ado
