#include "SqliteFunctions.h"

#include <QDateTime>
#include <QString>
#include <cmath>
#include <limits>
#include <optional>

#include "SqliteCursor.h"

namespace ado {

namespace {

// ---- case folding ----

char32_t Fold(char32_t c) {
    if (c < 0x80) {
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    }
    return QChar::toCaseFolded(c);
}

// The code point at `at`, moving past it. A byte that does not start a valid sequence stands
// for itself, so that every text compares the same way every time.
char32_t NextCodePoint(const unsigned char*& at, const unsigned char* end) {
    const unsigned char lead = *at++;
    if (lead < 0x80) {
        return lead;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if (at == end || (*at & 0xC0) != 0x80) {
            return lead;
        }
        code = (code << 6) | (*at++ & 0x3F);
    }
    return extra == 0 ? lead : code;
}

int NoCase(void*, int aLength, const void* a, int bLength, const void* b) {
    return CompareIgnoringCase(static_cast<const char*>(a), aLength, static_cast<const char*>(b),
                               bLength);
}

// ---- helpers for function arguments ----

QString TextArgument(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

bool AnyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            return true;
        }
    }
    return false;
}

void ResultText(sqlite3_context* context, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    sqlite3_result_text(context, bytes.constData(), static_cast<int>(bytes.size()),
                        SQLITE_TRANSIENT);
}

// ---- UPPER, LOWER, LIKE ----

void Upper(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    ResultText(context, TextArgument(argv[0]).toUpper());
}

void Lower(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    ResultText(context, TextArgument(argv[0]).toLower());
}

// like(pattern, text[, escape]) as SQLite calls it for "text LIKE pattern [ESCAPE escape]".
void Like(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    char32_t escape = 0;
    if (argc > 2) {
        const QString text = TextArgument(argv[2]);
        if (text.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = text[0].unicode();
    }
    sqlite3_result_int(context,
                       MatchesLike(TextArgument(argv[1]), TextArgument(argv[0]), escape) ? 1 : 0);
}

// ---- "+" ----

// A value on its way through "+": one SQLite handed over, or the sum so far.
struct Summand {
    int type = SQLITE_NULL;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT or SQLITE_NULL
    sqlite3_int64 whole = 0;
    double real = 0;
    QString text;

    bool IsNumber() const { return type == SQLITE_INTEGER || type == SQLITE_FLOAT; }
    double Real() const { return type == SQLITE_INTEGER ? static_cast<double>(whole) : real; }
};

Summand SummandOf(sqlite3_value* value) {
    Summand summand;
    summand.type = sqlite3_value_type(value);
    if (summand.type == SQLITE_INTEGER) {
        summand.whole = sqlite3_value_int64(value);
    } else if (summand.type == SQLITE_FLOAT) {
        summand.real = sqlite3_value_double(value);
    } else if (summand.type != SQLITE_NULL) {
        summand.type = SQLITE_TEXT;  // a blob joins as text
        summand.text = TextArgument(value);
    }
    return summand;
}

Summand Whole(sqlite3_int64 value) {
    Summand summand;
    summand.type = SQLITE_INTEGER;
    summand.whole = value;
    return summand;
}

Summand Real(double value) {
    Summand summand;
    summand.type = SQLITE_FLOAT;
    summand.real = value;
    return summand;
}

Summand Text(QString value) {
    Summand summand;
    summand.type = SQLITE_TEXT;
    summand.text = std::move(value);
    return summand;
}

Summand AddNumbers(const Summand& a, const Summand& b) {
    sqlite3_int64 sum = 0;
    if (a.type == SQLITE_INTEGER && b.type == SQLITE_INTEGER &&
        !__builtin_add_overflow(a.whole, b.whole, &sum)) {
        return Whole(sum);
    }
    return Real(a.Real() + b.Real());
}

// A date kept as text plus a number of days, written back in the form it came in.
std::optional<Summand> AddDays(const Summand& date, const Summand& days) {
    const QByteArray text = date.text.toUtf8();
    const auto length = static_cast<int>(text.size());
    if (length < 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const QDateTime value = ParseDate(text.constData(), length);
    if (!value.isValid()) {
        return std::nullopt;
    }
    constexpr double kMillisecondsPerDay = 86400000.0;
    const QDateTime moved = value.addMSecs(std::llround(days.Real() * kMillisecondsPerDay));
    return Text(length == 10 ? moved.toString(QStringLiteral("yyyy-MM-dd"))
                             : moved.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

// A text that reads whole as a number, converted as SQL Server converts it for "+".
std::optional<Summand> AddNumericText(const Summand& text, const Summand& number) {
    const QString value = text.text.trimmed();
    bool ok = false;
    const qlonglong whole = value.toLongLong(&ok);
    sqlite3_int64 sum = 0;
    if (ok && number.type == SQLITE_INTEGER && !__builtin_add_overflow(whole, number.whole, &sum)) {
        return Whole(sum);
    }
    const double real = ok ? static_cast<double>(whole) : value.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return Real(real + number.Real());
}

// a + b of two values that are not NULL, or nothing when a text beside a number is neither a
// date nor a number.
std::optional<Summand> AddTwo(const Summand& a, const Summand& b) {
    if (a.IsNumber() && b.IsNumber()) {
        return AddNumbers(a, b);
    }
    if (!a.IsNumber() && !b.IsNumber()) {
        return Text(a.text + b.text);
    }
    const Summand& text = a.IsNumber() ? b : a;
    const Summand& number = a.IsNumber() ? a : b;
    if (auto moved = AddDays(text, number)) {
        return moved;
    }
    return AddNumericText(text, number);
}

void Result(sqlite3_context* context, const Summand& value) {
    switch (value.type) {
        case SQLITE_INTEGER:
            sqlite3_result_int64(context, value.whole);
            break;
        case SQLITE_FLOAT:
            sqlite3_result_double(context, value.real);
            break;
        case SQLITE_TEXT:
            ResultText(context, value.text);
            break;
        default:
            sqlite3_result_null(context);
    }
}

// TSQL_ADD(a, b, c...) is ((a + b) + c)...: numbers add, texts join, a date and a number move
// the date by days; NULL with anything is NULL. One call takes a whole chain of "+", which
// nested calls of two values could not: the parser's stack overflows past a few dozen.
void Add(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc < 2) {
        sqlite3_result_error(context, "TSQL_ADD takes two values or more", -1);
        return;
    }
    Summand sum = SummandOf(argv[0]);
    for (int i = 1; i < argc && sum.type != SQLITE_NULL; ++i) {
        const Summand next = SummandOf(argv[i]);
        if (next.type == SQLITE_NULL) {
            sum = Summand();
            break;
        }
        std::optional<Summand> added = AddTwo(sum, next);
        if (!added) {
            const QByteArray message =
                QStringLiteral(
                    "Conversion failed when converting the varchar value '%1' to a "
                    "number.")
                    .arg(sum.IsNumber() ? next.text : sum.text)
                    .toUtf8();
            sqlite3_result_error(context, message.constData(), static_cast<int>(message.size()));
            return;
        }
        sum = std::move(*added);
    }
    Result(context, sum);
}

// ---- LEN, CHARINDEX, GETDATE ----

// LEN(text): characters without the trailing blanks, as SQL Server counts them.
void Len(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const QString text = TextArgument(argv[0]);
    qsizetype length = text.size();
    while (length > 0 && text[length - 1] == QLatin1Char(' ')) {
        --length;
    }
    sqlite3_result_int64(context, length);
}

// CHARINDEX(find, search[, start]): position from 1 of find in search, ignoring case; 0 when
// absent.
void CharIndex(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const QString find = TextArgument(argv[0]);
    const QString search = TextArgument(argv[1]);
    const sqlite3_int64 start =
        argc > 2 ? std::max<sqlite3_int64>(sqlite3_value_int64(argv[2]), 1) : 1;
    if (find.isEmpty() || start > search.size()) {
        sqlite3_result_int64(context, 0);
        return;
    }
    const qsizetype at =
        search.indexOf(find, static_cast<qsizetype>(start - 1), Qt::CaseInsensitive);
    sqlite3_result_int64(context, at + 1);
}

// LEFT(text, n) and RIGHT(text, n): the first or last n characters.
void LeftOrRight(sqlite3_context* context, sqlite3_value** argv, bool left) {
    const QString text = TextArgument(argv[0]);
    const sqlite3_int64 count = sqlite3_value_int64(argv[1]);
    if (count < 0) {
        sqlite3_result_error(context,
                             "Invalid length parameter passed to the LEFT or RIGHT "
                             "function.",
                             -1);
        return;
    }
    const qsizetype n = static_cast<qsizetype>(std::min<sqlite3_int64>(count, text.size()));
    ResultText(context, left ? text.first(n) : text.last(n));
}

void Left(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    LeftOrRight(context, argv, true);
}

void Right(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    LeftOrRight(context, argv, false);
}

// GETDATE(): the local date and time, in the text form dates are kept in.
void GetDate(sqlite3_context* context, int, sqlite3_value**) {
    ResultText(context,
               QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

using Function = void (*)(sqlite3_context*, int, sqlite3_value**);

struct FunctionEntry {
    const char* name;
    int arguments;
    Function function;
    bool deterministic;
};

constexpr FunctionEntry kFunctions[] = {
    {"upper", 1, Upper, true},         {"lower", 1, Lower, true},
    {"like", 2, Like, true},           {"like", 3, Like, true},
    {"TSQL_ADD", -1, Add, true},       {"LEN", 1, Len, true},
    {"CHARINDEX", 2, CharIndex, true}, {"CHARINDEX", 3, CharIndex, true},
    {"TSQL_LEFT", 2, Left, true},      {"TSQL_RIGHT", 2, Right, true},
    {"GETDATE", 0, GetDate, false},
};

// ---- LIKE matching ----

char16_t FoldUnit(QChar c) {
    return c.toCaseFolded().unicode();
}

// Reads the class "[...]" opened at `open` against c: where it ends and whether c is in it.
// False when no "]" closes it, so that the "[" is an ordinary character.
bool ReadClass(QStringView pattern, qsizetype open, QChar c, qsizetype& close, bool& matches) {
    qsizetype at = open + 1;
    const bool negated = at < pattern.size() && pattern[at] == QLatin1Char('^');
    if (negated) {
        ++at;
    }
    close = pattern.indexOf(QLatin1Char(']'), at);
    if (close < 0) {
        return false;
    }
    const char16_t folded = FoldUnit(c);
    bool found = false;
    for (qsizetype i = at; i < close && !found; ++i) {
        const bool range = i + 2 < close && pattern[i + 1] == QLatin1Char('-');
        if (range) {
            found = folded >= FoldUnit(pattern[i]) && folded <= FoldUnit(pattern[i + 2]);
            i += 2;
        } else {
            found = folded == FoldUnit(pattern[i]);
        }
    }
    matches = found != negated;
    return true;
}

}  // namespace

int CompareIgnoringCase(const char* a, int aLength, const char* b, int bLength) {
    auto* x = reinterpret_cast<const unsigned char*>(a);
    auto* y = reinterpret_cast<const unsigned char*>(b);
    const unsigned char* const xEnd = x + aLength;
    const unsigned char* const yEnd = y + bLength;
    while (x < xEnd && y < yEnd) {
        const char32_t p = Fold(NextCodePoint(x, xEnd));
        const char32_t q = Fold(NextCodePoint(y, yEnd));
        if (p != q) {
            return p < q ? -1 : 1;
        }
    }
    if (x < xEnd) {
        return 1;
    }
    return y < yEnd ? -1 : 0;
}

bool MatchesLike(QStringView text, QStringView pattern, char32_t escape) {
    constexpr qsizetype kNone = -1;
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starPattern = kNone;  // the last "%" seen, to fall back to
    qsizetype starText = 0;
    while (t < text.size()) {
        bool advanced = false;
        if (p < pattern.size()) {
            const QChar c = pattern[p];
            if (escape != 0 && c.unicode() == escape) {
                if (p + 1 < pattern.size() && FoldUnit(pattern[p + 1]) == FoldUnit(text[t])) {
                    p += 2;
                    ++t;
                    advanced = true;
                }
            } else if (c == QLatin1Char('%')) {
                starPattern = p++;
                starText = t;
                continue;
            } else if (c == QLatin1Char('_')) {
                ++p;
                ++t;
                advanced = true;
            } else {
                qsizetype close = 0;
                bool inClass = false;
                if (c == QLatin1Char('[') && ReadClass(pattern, p, text[t], close, inClass)) {
                    if (inClass) {
                        p = close + 1;
                        ++t;
                        advanced = true;
                    }
                } else if (FoldUnit(c) == FoldUnit(text[t])) {
                    ++p;
                    ++t;
                    advanced = true;
                }
            }
        }
        if (advanced) {
            continue;
        }
        if (starPattern == kNone) {
            return false;
        }
        p = starPattern + 1;
        t = ++starText;
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('%')) {
        ++p;
    }
    return p == pattern.size();
}

void RegisterSqlServerFunctions(sqlite3* db) {
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, NoCase, nullptr);
    for (const FunctionEntry& entry : kFunctions) {
        const int flags =
            SQLITE_UTF8 | (entry.deterministic ? SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS : 0);
        sqlite3_create_function_v2(db, entry.name, entry.arguments, flags, nullptr, entry.function,
                                   nullptr, nullptr, nullptr);
    }
}

}  // namespace ado
