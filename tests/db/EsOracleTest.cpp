#include "EsOracle.h"

#include <gtest/gtest.h>

#include "Printers.h"

namespace {

// Whether a connection string takes the Oracle road: by its provider (or, for the embedded
// database, its file name), never by a user, a password, a server or a folder.
struct OracleCase {
    const char* name;
    const char* connString;
    bool oracle;
};

class EsConexionOracle : public ::testing::TestWithParam<OracleCase> {};

TEST_P(EsConexionOracle, IsToldByTheProvider) {
    EXPECT_EQ(db::EsConexionOracle(QString::fromUtf8(GetParam().connString)), GetParam().oracle);
}

INSTANTIATE_TEST_SUITE_P(
    ConnectionStrings, EsConexionOracle,
    ::testing::Values(
        OracleCase{"OraOledb", "Provider=OraOLEDB.Oracle.1;Data Source=XE;User Id=scott;", true},
        OracleCase{"ProviderInAnyCase", "provider=oraoledb.oracle;data source=xe", true},
        OracleCase{"Msdaora", "Provider=MSDAORA;Data Source=XE", true},
        OracleCase{"SqlServerWithAPasswordHoldingOracle",
                   "Provider=SQLOLEDB;Server=srv;UId=ana;Pwd=xoracle1", false},
        OracleCase{"SqlServerWithAUserNamedOracle", "Provider=SQLOLEDB;Server=srv;UId=oracle;",
                   false},
        OracleCase{"SqlServerOnServerAndDatabaseNamedOracle",
                   "Provider=SQLOLEDB;Server=oraclesrv;Database =ORACLE_MIGRADA;", false},
        OracleCase{"EmbeddedFileNamedOracle", "Provider=SQLite;Data Source=/tmp/ORACLE.db", true},
        OracleCase{"EmbeddedFileNameHoldingOracle",
                   "Provider=SQLite;Data Source=/tmp/prueba_oracle.db", true},
        OracleCase{"EmbeddedInAFolderNamedOracle",
                   "Provider=SQLite;Data Source=/data/oracle_backups/c.db", false},
        OracleCase{"EmbeddedWithAPasswordHoldingOracle",
                   "Provider=SQLite;Data Source=/tmp/c.db;Password=xoracle1", false},
        OracleCase{"OdbcOracleDriver", "Driver={Oracle in XE};DBQ=XE;UID=scott;PWD=tiger", true},
        OracleCase{"MsdasqlOracleDriverInExtendedProperties",
                   "Provider=MSDASQL;Extended Properties=\"Driver={Oracle 19};DBQ=XE\"", true},
        OracleCase{"OdbcOtherDriverWithOracleValues",
                   "Driver={PostgreSQL Unicode};Database=oracle;UID=oracle;PWD=oracle", false},
        OracleCase{"OdbcDataSourceNameAlone", "DSN=ORACLE_PROD;UID=scott", false},
        OracleCase{"KeywordAtTheStart", "ORACLE_=1;Provider=SQLite;Data Source=/tmp/c.db", false},
        OracleCase{"OtherProvider", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=oracle.mdb",
                   false},
        OracleCase{"Empty", "", false}),
    CaseName());

}  // namespace
