#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Text, number and date helpers with the semantics the program's callers expect: searches and
// replacements ignore letter case, positions count from 1 and 0 means "not found".
namespace rt::text {

// Position (from 1) of needle in haystack at or after start, ignoring case; 0 when absent.
// An empty needle is found at start, as long as start is within the text.
int InStr(const QString& haystack, const QString& needle, int start = 1);

// Position (from 1) of the last occurrence of needle, ignoring case; 0 when absent.
int InStrRev(const QString& haystack, const QString& needle);

// True when haystack contains needle, ignoring case.
bool Contains(const QString& haystack, const QString& needle);

// Every occurrence of find (ignoring case) replaced by replacement, left to right.
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);

// Upper case letter by letter, keeping the length ("ß" stays "ß"), as the platform's UCase.
QString UCase(const QString& text);

// Equal ignoring case.
bool Equals(const QString& a, const QString& b);

// Leading and trailing blanks (spaces only, as the platform's Trim) removed.
QString Trim(const QString& text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);
// The same trim as a view into the text, for scanners that must not copy it piece by piece.
QStringView TrimView(QStringView text);

// The value-of-text reading: blanks are skipped, the longest leading number is read with "."
// as decimal point ("0012" is 12, "12abc" is 12, "" is 0, "&H1F" is 31).
double Val(const QString& text);

// A number in the user's regional format without group separators, as the platform's
// conversion to text writes it (significantDigits 7 for single, 15 for double precision).
QString NumberToText(double value, int significantDigits = 15);

// Reads a number written in the user's regional format (group separators, surrounding blanks
// and a sign allowed); nothing when the text is not a number.
std::optional<double> TextToNumber(const QString& text);

// The user's short-date pattern with a four-digit year (as the regional settings show dates).
QString ShortDateFormat();
QString ShortDate(const QDate& date);

// Reads a date written in the user's short-date format (or its two-digit-year variant).
std::optional<QDate> TextToDate(const QString& text);

}  // namespace rt::text
