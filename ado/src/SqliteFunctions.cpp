#include "SqliteFunctions.h"

#include <QDateTime>
#include <QString>
#include <cmath>
#include <limits>

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

bool IsNumber(int type) {
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

void AddNumbers(sqlite3_context* context, sqlite3_value* a, sqlite3_value* b) {
    if (sqlite3_value_type(a) == SQLITE_INTEGER && sqlite3_value_type(b) == SQLITE_INTEGER) {
        sqlite3_int64 sum = 0;
        if (!__builtin_add_overflow(sqlite3_value_int64(a), sqlite3_value_int64(b), &sum)) {
            sqlite3_result_int64(context, sum);
            return;
        }
    }
    sqlite3_result_double(context, sqlite3_value_double(a) + sqlite3_value_double(b));
}

// A date kept as text plus a number of days, written back in the form it came in.
bool AddDays(sqlite3_context* context, sqlite3_value* date, sqlite3_value* days) {
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(date));
    const int length = sqlite3_value_bytes(date);
    if (length < 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    const QDateTime value = ParseDate(text, length);
    if (!value.isValid()) {
        return false;
    }
    constexpr double kMillisecondsPerDay = 86400000.0;
    const QDateTime moved =
        value.addMSecs(std::llround(sqlite3_value_double(days) * kMillisecondsPerDay));
    ResultText(context, length == 10 ? moved.toString(QStringLiteral("yyyy-MM-dd"))
                                     : moved.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
    return true;
}

// A text that reads whole as a number, converted as SQL Server converts it for "+".
bool AddNumericText(sqlite3_context* context, sqlite3_value* text, sqlite3_value* number) {
    const QString value = TextArgument(text).trimmed();
    bool ok = false;
    const qlonglong whole = value.toLongLong(&ok);
    if (ok && sqlite3_value_type(number) == SQLITE_INTEGER) {
        sqlite3_int64 sum = 0;
        if (!__builtin_add_overflow(whole, sqlite3_value_int64(number), &sum)) {
            sqlite3_result_int64(context, sum);
            return true;
        }
    }
    const double real = ok ? static_cast<double>(whole) : value.toDouble(&ok);
    if (!ok) {
        return false;
    }
    sqlite3_result_double(context, real + sqlite3_value_double(number));
    return true;
}

// TSQL_ADD(a, b): numbers add, texts join, a date and a number move the date by days; NULL
// with anything is NULL.
void Add(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_value* a = argv[0];
    sqlite3_value* b = argv[1];
    const bool aNumber = IsNumber(sqlite3_value_type(a));
    const bool bNumber = IsNumber(sqlite3_value_type(b));
    if (aNumber && bNumber) {
        AddNumbers(context, a, b);
        return;
    }
    if (!aNumber && !bNumber) {
        ResultText(context, TextArgument(a) + TextArgument(b));
        return;
    }
    sqlite3_value* text = aNumber ? b : a;
    sqlite3_value* number = aNumber ? a : b;
    if (AddDays(context, text, number) || AddNumericText(context, text, number)) {
        return;
    }
    const QByteArray message =
        QStringLiteral("Conversion failed when converting the varchar value '%1' to a number.")
            .arg(TextArgument(text))
            .toUtf8();
    sqlite3_result_error(context, message.constData(), static_cast<int>(message.size()));
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
    {"TSQL_ADD", 2, Add, true},        {"LEN", 1, Len, true},
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
