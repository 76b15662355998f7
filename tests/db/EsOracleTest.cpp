#include "EsOracle.h"

#include <gtest/gtest.h>

#include "Printers.h"
#include "db/Proveedores.h"

namespace {

// How each of the component's tests answers for one text.
struct OracleCase {
    const char* name;
    const char* text;
    bool abre;       // AbrirRecordset
    bool ejecuta;    // EjecutaConsultaSQL
    bool traduce;    // ORACLE_Dicc
    bool proveedor;  // the provider setting
};

class EsOracle : public ::testing::TestWithParam<OracleCase> {};

TEST_P(EsOracle, EachTestAnswersAsItAlwaysHas) {
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(db::AbreEnOracle(text), GetParam().abre);
    EXPECT_EQ(db::EjecutaEnOracle(text), GetParam().ejecuta);
    EXPECT_EQ(db::TraduceParaOracle(text), GetParam().traduce);
    EXPECT_EQ(db::EsProveedorOracle(text), GetParam().proveedor);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EsOracle,
    ::testing::Values(
        OracleCase{"OracleString", "Provider=OraOLEDB.Oracle.1;Data Source=XE", true, true, true,
                   true},
        OracleCase{"AnyCase", "provider=oraoledb.oracle.1", true, true, true, true},
        // Only AbrirRecordset looks from the second character on.
        OracleCase{"AtTheFirstCharacter", "ORACLE_=1;Data Source=x", false, true, true, true},
        OracleCase{"SqlServerString", "PROVIDER=SQLOLEDB;Server=srv", false, false, false, false},
        OracleCase{"Empty", "", false, false, false, false}),
    CaseName());

}  // namespace
