#pragma once

#include <QString>
#include <cstdint>

#include "cheques/ado/Enums.h"

namespace ado {

// What a provider tells about one column of a result: name, ADO data type and sizes as the
// SQL Server provider would report them (varchar(40) is 40 characters, int is 4 bytes).
struct FieldInfo {
    QString name;
    int type = adVarWChar;
    int32_t definedSize = 0;
    int precision = 0;
    int numericScale = 0;
};

}  // namespace ado
