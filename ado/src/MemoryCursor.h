#pragma once

#include <vector>

#include "Cursor.h"

namespace ado {

// Rows already in memory (catalogue results), served as a cursor.
class MemoryCursor : public Cursor {
  public:
    MemoryCursor(std::vector<FieldInfo> columns, std::vector<std::vector<rt::Variant>> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    const std::vector<FieldInfo>& Columns() const override { return columns_; }

    bool Fetch(rt::Variant* values) override {
        if (next_ >= rows_.size()) {
            return false;
        }
        const std::vector<rt::Variant>& row = rows_[next_++];
        std::copy(row.begin(), row.end(), values);
        return true;
    }

    void Restart() override { next_ = 0; }

  private:
    std::vector<FieldInfo> columns_;
    std::vector<std::vector<rt::Variant>> rows_;
    size_t next_ = 0;
};

}  // namespace ado
