#include "cheques/runtime/Variant.h"

#include <QLocale>
#include <cmath>
#include <limits>

#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"

namespace rt {

namespace {

// A boolean as text, as the clerks' Spanish system writes it.
const QString kVerdadero = QStringLiteral("Verdadero");
const QString kFalso = QStringLiteral("Falso");

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Clang deduces no template arguments for an aggregate without a guide.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

[[noreturn]] void Raise(int32_t number) {
    RuntimeError::Raise(number);
}

double ParseNumber(const QString& text) {
    if (const auto value = text::TextToNumber(text)) {
        return *value;
    }
    Raise(err::TypeMismatch);
}

// Days since 30 December 1899 with the time as the fraction, as the platform stores dates.
double DateSerial(const QDateTime& when) {
    static const QDate epoch(1899, 12, 30);
    const double days = static_cast<double>(epoch.daysTo(when.date()));
    const double fraction = when.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + fraction : days - fraction;
}

}  // namespace

Variant Variant::Null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

void Variant::AssignUtf8(const char* data, qsizetype size) {
    QString* text = std::get_if<QString>(&value_);
    if (text != nullptr && text->isDetached() && text->capacity() >= size) {
        text->resize(size);
        char16_t* out = reinterpret_cast<char16_t*>(text->data());
        qsizetype i = 0;
        for (; i < size && static_cast<unsigned char>(data[i]) < 0x80; ++i) {
            out[i] = static_cast<char16_t>(data[i]);
        }
        if (i == size) {
            return;
        }
    }
    value_ = QString::fromUtf8(data, size);
}

Variant::Type Variant::VarType() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return Type::Empty; },
                          [](NullTag) { return Type::Null; },
                          [](bool) { return Type::Boolean; },
                          [](int32_t) { return Type::Long; },
                          [](int64_t) { return Type::LongLong; },
                          [](double) { return Type::Double; },
                          [](Currency) { return Type::Currency; },
                          [](const QDateTime&) { return Type::Date; },
                          [](const QString&) { return Type::String; },
                      },
                      value_);
}

bool Variant::IsNumeric() const {
    if (IsNull() || std::holds_alternative<QDateTime>(value_)) {
        return false;
    }
    if (const auto* s = std::get_if<QString>(&value_)) {
        return text::TextToNumber(*s).has_value();
    }
    return true;
}

QString Variant::ToString() const {
    if (const auto* s = std::get_if<QString>(&value_)) {
        return *s;
    }
    return std::visit(Overloaded{
                          [](std::monostate) { return QString(); },
                          [](NullTag) -> QString { Raise(err::InvalidUseOfNull); },
                          [](bool b) { return b ? kVerdadero : kFalso; },
                          [](int32_t i) { return QString::number(i); },
                          [](int64_t i) { return QString::number(i); },
                          [](double d) { return text::NumberToText(d); },
                          [](Currency c) { return text::NumberToText(c.ToDouble()); },
                          [](const QDateTime& d) {
                              const QString date = text::ShortDate(d.date());
                              if (d.time() == QTime(0, 0)) {
                                  return date;
                              }
                              return date + QLatin1Char(' ') +
                                     QLocale().toString(d.time(), QStringLiteral("HH:mm:ss"));
                          },
                          [](const QString& s) { return s; },
                      },
                      value_);
}

QString Variant::ToText() const {
    return IsNull() ? QString() : ToString();
}

double Variant::ToDouble() const {
    if (const auto* d = std::get_if<double>(&value_)) {
        return *d;
    }
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](NullTag) -> double { Raise(err::InvalidUseOfNull); },
                          [](bool b) { return b ? -1.0 : 0.0; },
                          [](int32_t i) { return static_cast<double>(i); },
                          [](int64_t i) { return static_cast<double>(i); },
                          [](double d) { return d; },
                          [](Currency c) { return c.ToDouble(); },
                          [](const QDateTime& d) { return DateSerial(d); },
                          [](const QString& s) { return ParseNumber(s); },
                      },
                      value_);
}

int64_t Variant::ToLongLong() const {
    if (const auto* i = std::get_if<int64_t>(&value_)) {
        return *i;
    }
    if (const auto* i = std::get_if<int32_t>(&value_)) {
        return *i;
    }
    const double rounded = std::nearbyint(ToDouble());  // half to even, as the platform rounds
    if (!std::isfinite(rounded) || std::fabs(rounded) >= 9.2233720368547758e18) {
        Raise(err::Overflow);
    }
    return static_cast<int64_t>(rounded);
}

int32_t Variant::ToLong() const {
    // Row after row of whole numbers is read this way: no detour through a double for them.
    if (const auto* i = std::get_if<int32_t>(&value_)) {
        return *i;
    }
    const int64_t value = ToLongLong();
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        Raise(err::Overflow);
    }
    return static_cast<int32_t>(value);
}

Currency Variant::ToCurrency() const {
    if (const auto* c = std::get_if<Currency>(&value_)) {
        return *c;
    }
    if (const auto* i = std::get_if<int32_t>(&value_)) {
        return Currency::FromScaled(int64_t{*i} * Currency::Scale);
    }
    return Currency::FromDouble(ToDouble());
}

bool Variant::ToBool() const {
    if (const auto* b = std::get_if<bool>(&value_)) {
        return *b;
    }
    // The Spanish names, and the English ones that every system reads as well.
    if (const auto* s = std::get_if<QString>(&value_)) {
        if (text::Equals(*s, kVerdadero) || text::Equals(*s, QStringLiteral("True"))) {
            return true;
        }
        if (text::Equals(*s, kFalso) || text::Equals(*s, QStringLiteral("False"))) {
            return false;
        }
    }
    return ToDouble() != 0.0;
}

QDateTime Variant::ToDate() const {
    if (const auto* d = std::get_if<QDateTime>(&value_)) {
        return *d;
    }
    if (IsNull()) {
        Raise(err::InvalidUseOfNull);
    }
    if (const auto* s = std::get_if<QString>(&value_)) {
        if (const auto date = text::TextToDate(*s)) {
            return date->startOfDay();
        }
        const QDateTime iso = QDateTime::fromString(s->trimmed(), Qt::ISODate);
        if (iso.isValid()) {
            return iso;
        }
        Raise(err::TypeMismatch);
    }
    const double serial = ToDouble();
    const double days = std::trunc(serial);
    const auto msecs = static_cast<int>(std::llround(std::fabs(serial - days) * 86400000.0));
    return QDateTime(QDate(1899, 12, 30).addDays(static_cast<qint64>(days)),
                     QTime::fromMSecsSinceStartOfDay(std::min(msecs, 86399999)));
}

}  // namespace rt
