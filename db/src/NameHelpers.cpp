#include "NameHelpers.h"

#include <algorithm>
#include <initializer_list>

#include "cheques/runtime/RuntimeError.h"

namespace db {

namespace {

// A Null code matches nothing; a text code is read as a number.
bool IsOneOf(const rt::Variant& code, std::initializer_list<int> codes) {
    if (code.IsNull()) {
        return false;
    }
    const double value = code.ToDouble();
    return std::any_of(codes.begin(), codes.end(), [value](int c) { return value == c; });
}

bool IsExactly(const rt::Variant& code, int expected) {
    if (code.IsNull()) {
        rt::RuntimeError::Raise(rt::err::InvalidUseOfNull);
    }
    return code.ToDouble() == expected;
}

}  // namespace

bool adodate(const rt::Variant& Qtype) {
    return IsOneOf(Qtype, {7, 133, 137, 134, 135, 64});
}

bool ADOText(const rt::Variant& Qtype) {
    return IsOneOf(Qtype, {8, 201, 203, 200, 202, 130});
}

bool ADONumeric(const rt::Variant& Qtype) {
    return IsOneOf(Qtype, {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17});
}

bool ADOCurrency(const rt::Variant& Qtype) {
    return IsExactly(Qtype, 6);
}

bool ADOBoolean(const rt::Variant& Qtype) {
    return IsExactly(Qtype, 11);
}

QString AddBrackets(const QString& rObjName) {
    if (rObjName.contains(QLatin1Char(' ')) && !rObjName.startsWith(QLatin1Char('['))) {
        return QLatin1Char('[') + rObjName + QLatin1Char(']');
    }
    return rObjName;
}

QString StripBrackets(const QString& rsObjName) {
    if (!rsObjName.startsWith(QLatin1Char('['))) {
        return rsObjName;
    }
    if (rsObjName.size() < 2) {
        rt::RuntimeError::Raise(rt::err::InvalidProcedureCall);
    }
    return rsObjName.mid(1, rsObjName.size() - 2);
}

QString StripConnect(const QString& rsTblName) {
    const qsizetype arrow = rsTblName.indexOf(QStringLiteral("->"));
    if (arrow < 0) {
        return rsTblName;
    }
    if (arrow == 0) {
        rt::RuntimeError::Raise(rt::err::InvalidProcedureCall);
    }
    return rsTblName.left(arrow - 1);
}

QString StripOwner(QString& rsTblName) {
    const qsizetype dot = rsTblName.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        rsTblName = rsTblName.mid(dot + 1);
    }
    return rsTblName;
}

QString stSTF(QString& rsName, int rnPart) {
    if (rsName.count(QLatin1Char('.')) >= 2) {
        return StripOwner(rsName);
    }
    const qsizetype dot = rsName.indexOf(QLatin1Char('.'));
    if (rnPart != 0) {
        return rsName.mid(dot + 1);
    }
    if (dot < 0) {
        rt::RuntimeError::Raise(rt::err::InvalidProcedureCall);
    }
    return rsName.left(dot);
}

QString StripFileName(const QString& rsFileName) {
    const qsizetype slash = rsFileName.lastIndexOf(QLatin1Char('\\'));
    return slash <= 0 ? QString() : rsFileName.left(slash);
}

}  // namespace db
