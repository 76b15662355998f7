// Value and name helpers of DB_Dll: the component's own names for the free functions.
#include "NameHelpers.h"
#include "cheques/db/DB_Dll.h"

namespace db {

bool DB_Dll::adodate(const rt::Variant& Qtype) const {
    return ::db::adodate(Qtype);
}
bool DB_Dll::ADOText(const rt::Variant& Qtype) const {
    return ::db::ADOText(Qtype);
}
bool DB_Dll::ADONumeric(const rt::Variant& Qtype) const {
    return ::db::ADONumeric(Qtype);
}
bool DB_Dll::ADOCurrency(const rt::Variant& Qtype) const {
    return ::db::ADOCurrency(Qtype);
}
bool DB_Dll::ADOBoolean(const rt::Variant& Qtype) const {
    return ::db::ADOBoolean(Qtype);
}
QString DB_Dll::AddBrackets(const QString& rObjName) const {
    return ::db::AddBrackets(rObjName);
}
QString DB_Dll::StripBrackets(const QString& rsObjName) const {
    return ::db::StripBrackets(rsObjName);
}
QString DB_Dll::StripConnect(const QString& rsTblName) const {
    return ::db::StripConnect(rsTblName);
}
QString DB_Dll::StripOwner(QString& rsTblName) const {
    return ::db::StripOwner(rsTblName);
}
QString DB_Dll::stSTF(QString& rsName, int rnPart) const {
    return ::db::stSTF(rsName, rnPart);
}
QString DB_Dll::StripFileName(const QString& rsFileName) const {
    return ::db::StripFileName(rsFileName);
}

}  // namespace db
