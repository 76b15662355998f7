#pragma once

#include <QString>
#include <compare>
#include <cstdint>

namespace rt {

// Fixed-point money with four decimals, stored as a count of ten-thousandths.
class Currency {
  public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromScaled(int64_t scaled) {
        Currency c;
        c.scaled_ = scaled;
        return c;
    }
    // Rounds half to even at the fourth decimal; raises Overflow when out of range.
    static Currency FromDouble(double value);

    constexpr int64_t Scaled() const { return scaled_; }
    double ToDouble() const { return static_cast<double>(scaled_) / Scale; }

    // Text with as many decimals as needed (none for whole amounts), in the C locale.
    QString ToInvariantString() const;

    constexpr auto operator<=>(const Currency&) const = default;

  private:
    int64_t scaled_ = 0;
};

}  // namespace rt
