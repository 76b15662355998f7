#include <gtest/gtest.h>

#include "Printers.h"

#include "ProviderErrors.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

struct StateCase {
    const char* name;
    const char* sqlState;
    int32_t number;
};

class SqlStateMappingTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(SqlStateMappingTest, MapsTheClassToTheProviderNumber) {
    EXPECT_EQ(ado::ErrorNumberForSqlState(QString::fromUtf8(GetParam().sqlState)),
              GetParam().number)
        << GetParam().sqlState;
}

INSTANTIATE_TEST_SUITE_P(OdbcStates, SqlStateMappingTest,
                         ::testing::ValuesIn(std::vector<StateCase>{
                             StateCase{"State_42000", "42000", rt::err::ProviderSyntax},
                             StateCase{"State_42S22", "42S22", rt::err::ProviderSyntax},
                             StateCase{"State_37000", "37000", rt::err::ProviderSyntax},
                             StateCase{"State_42S02", "42S02", rt::err::ProviderNoTable},
                             StateCase{"State_S0002", "S0002", rt::err::ProviderNoTable},
                             // PostgreSQL's own states for a missing table and a cancelled
                             // statement.
                             StateCase{"State_42P01", "42P01", rt::err::ProviderNoTable},
                             StateCase{"State_42703", "42703", rt::err::ProviderSyntax},
                             StateCase{"State_57014", "57014", rt::err::ProviderTimeout},
                             StateCase{"State_57P01", "57P01", rt::err::ProviderUnspecified},
                             StateCase{"State_23000", "23000", rt::err::ProviderIntegrity},
                             StateCase{"State_23505", "23505", rt::err::ProviderIntegrity},
                             StateCase{"State_HYT00", "HYT00", rt::err::ProviderTimeout},
                             StateCase{"State_hyt01", "hyt01", rt::err::ProviderTimeout},
                             StateCase{"State_S1T00", "S1T00", rt::err::ProviderTimeout},
                             StateCase{"State_08001", "08001", rt::err::ProviderUnspecified},
                             StateCase{"State_IM002", "IM002", rt::err::ProviderUnspecified},
                             StateCase{"State_HY000", "HY000", rt::err::ProviderUnspecified},
                             StateCase{"State_Empty", "", rt::err::ProviderUnspecified}}),
                         CaseName());

}  // namespace
