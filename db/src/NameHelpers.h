#pragma once

#include <QString>

#include "cheques/runtime/Variant.h"

namespace db {

// ADO data-type classifiers: true exactly for the codes of the family named.
bool adodate(const rt::Variant& Qtype);     // 7, 133, 137, 134, 135, 64
bool ADOText(const rt::Variant& Qtype);     // 8, 201, 203, 200, 202, 130
bool ADONumeric(const rt::Variant& Qtype);  // 20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17
// Currency (6) and boolean (11); a Null code raises "invalid use of Null" (94), where the
// other classifiers answer false.
bool ADOCurrency(const rt::Variant& Qtype);
bool ADOBoolean(const rt::Variant& Qtype);

// "[name]" for a name with a space that is not bracketed yet.
QString AddBrackets(const QString& rObjName);
// A name starting with "[" without its first and last characters (error 5 for "[" alone).
QString StripBrackets(const QString& rsObjName);
// The name before "->" without the character just before the arrow (error 5 when the text
// starts with "->").
QString StripConnect(const QString& rsTblName);
// Everything after the first "."; the argument itself is changed too.
QString StripOwner(QString& rsTblName);
// One part of a two-part name: the part after the "." for a non-zero rnPart, the part before
// it for zero (error 5 without a "."). A name with two or more "." loses its owner through
// StripOwner, argument included, whatever rnPart is.
QString stSTF(QString& rsName, int rnPart);
// The folder of a path written with "\", without its final separator; "" for a bare name.
QString StripFileName(const QString& rsFileName);

}  // namespace db
