#include "EsOracle.h"

#include "runtime/Text.h"

namespace db {

namespace {

const QString kOracle = QStringLiteral("ORACLE");

}  // namespace

bool AbreEnOracle(const QString& connString) {
    return rt::text::InStr(connString, kOracle, 2) > 0;
}

bool EjecutaEnOracle(const QString& connString) {
    return rt::text::Contains(connString, kOracle);
}

bool TraduceParaOracle(const QString& gConnString) {
    return rt::text::Contains(gConnString, kOracle);
}

}  // namespace db
