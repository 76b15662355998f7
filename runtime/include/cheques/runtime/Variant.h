#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <variant>

#include "cheques/runtime/Currency.h"

namespace rt {

// A value as the platform's dynamic variables hold it. Empty (never assigned) and Null (no
// data) are distinct from each other and from "" and 0.
class Variant {
  public:
    // Type codes as the platform's VarType reports them.
    enum class Type : int {
        Empty = 0,
        Null = 1,
        Long = 3,
        Double = 5,
        Currency = 6,
        Date = 7,
        String = 8,
        Boolean = 11,
        LongLong = 20,
    };

    Variant() = default;
    Variant(bool v) : value_(v) {}
    Variant(int v) : value_(static_cast<int32_t>(v)) {}
    Variant(int64_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(Currency v) : value_(v) {}
    Variant(const QDateTime& v) : value_(v) {}
    Variant(const QDate& v) : value_(v.startOfDay()) {}
    Variant(const QString& v) : value_(v) {}
    Variant(const char* v) : value_(QString::fromUtf8(v)) {}

    static Variant Null();

    // Becomes the text of UTF-8 bytes. Plain ASCII is written into the text storage it already
    // holds when no one else shares it, so that reading row after row into one variant
    // allocates only when a text outgrows the last.
    void AssignUtf8(const char* data, qsizetype size);

    Type VarType() const;
    bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsNull() const { return std::holds_alternative<NullTag>(value_); }
    bool IsText() const { return std::holds_alternative<QString>(value_); }
    // True for numbers, booleans, Empty and texts that read as a number in the user's locale.
    bool IsNumeric() const;

    // Conversions with the platform's rules: Null raises "invalid use of Null" (94), a text
    // that is not a number raises "type mismatch" (13), out-of-range raises "overflow" (6).
    QString ToString() const;
    double ToDouble() const;
    int32_t ToLong() const;
    int64_t ToLongLong() const;
    Currency ToCurrency() const;
    bool ToBool() const;
    QDateTime ToDate() const;

    // Concatenation text: like ToString, but Null gives "".
    QString ToText() const;

    // Same type and same value (Null equals Null here, unlike in SQL).
    bool operator==(const Variant& other) const = default;

  private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    using Storage = std::variant<std::monostate, NullTag, bool, int32_t, int64_t, double, Currency,
                                 QDateTime, QString>;
    Storage value_;
};

}  // namespace rt
