#include "cheques/runtime/Currency.h"

#include <cmath>
#include <limits>

#include "cheques/runtime/RuntimeError.h"

namespace rt {

Currency Currency::FromDouble(double value) {
    const double scaled = std::nearbyint(value * Scale);  // default rounding: half to even
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2233720368547758e18) {
        RuntimeError::Raise(err::Overflow);
    }
    return FromScaled(static_cast<int64_t>(scaled));
}

QString Currency::ToInvariantString() const {
    const bool negative = scaled_ < 0;
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(scaled_) : static_cast<uint64_t>(scaled_);
    QString text = QString::number(magnitude / Scale);
    uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0'))) {
            digits.chop(1);
        }
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

}  // namespace rt
