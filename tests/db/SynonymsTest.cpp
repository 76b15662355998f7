#include "Synonyms.h"

#include <gtest/gtest.h>

#include "TextCases.h"

namespace {

using Case = dbtest::TextCase;

QString Redirected(const QString& sql) {
    return db::SS_TSinonimos(sql, false);
}

TEST(Synonyms, RedirectsInTheRecognisedContexts) {
    const Case cases[] = {
        {"select * from ma_cuentas where a = 1", "select * from SS_MA_CUENTAS where a = 1"},
        {"select x from (MA_CUENTAS a)", "select x from (SS_MA_CUENTAS a)"},
        {"select MA_CUENTAS.a from T", "select SS_MA_CUENTAS.a from T"},
        {"select count(MA_CUENTAS.a),MA_CUENTAS.b from T",
         "select count(SS_MA_CUENTAS.a),SS_MA_CUENTAS.b from T"},
        {"{MA_CUENTAS.a} {V_TA_CAJAS.a}", "{SS_MA_CUENTAS.a} {V_TA_CAJAS.a}"},
        {"select * from V_TA_DEPOSITO d, mv_asientos a where d.x = a.x",
         "select * from SS_V_TA_DEPOSITO d, SS_MV_ASIENTOS a where d.x = a.x"},
        {"select * from (V_TA_FAMILIAS f join V_TA_CAJAS.c",
         "select * from (SS_V_TA_FAMILIAS f join SS_V_TA_CAJAS.c"},
        {"select * from AC_CUENTASDIARIO d", "select * from SS_AC_CUENTASDIARIO d"},
        {"select * from AC_CUENTASDIARIO_CCOSTO d", "select * from SS_AC_CUENTAS_DIARIO_CCOSTO d"},
        {"select a.x from ac_cuentasdiario_ccosto.x",
         "select a.x from SS_AC_CUENTAS_DIARIO_CCOSTO.x"},
        // A name inside a string literal is rewritten as well.
        {"select ' MA_CUENTAS ' from T", "select ' SS_MA_CUENTAS ' from T"},
    };
    dbtest::ExpectAll(Redirected, cases);
}

TEST(Synonyms, OtherContextsAreLeftAlone) {
    const char* const cases[] = {
        "select * from MA_CUENTAS",       "select * from MA_CUENTAS,T",
        "select * from (MA_CUENTAS)",     "select * from MA_CUENTAS\nwhere 1",
        "select * from T,MA_CUENTAS x",   "select * from XMA_CUENTAS x",
        "select * from MA_CUENTASX x",    "select * from SS_MA_CUENTAS x",
        "select * from dbo.MA_CUENTAS x", "{V_TA_DEPOSITO.a}",
    };
    for (const char* sql : cases) {
        EXPECT_EQ(Redirected(sql), sql) << sql;
    }
}

TEST(Synonyms, MarkedNamesAreKeptAndMarkersRemoved) {
    const Case cases[] = {
        {"select * from @Admin_MA_CUENTAS where 1", "select * from MA_CUENTAS where 1"},
        {"select * from @admin_ma_cuentas where 1", "select * from MA_CUENTAS where 1"},
        {"select * from @admin_V_TA_CAJAS c", "select * from V_TA_CAJAS c"},
        {"select * from @ADMIN_MV_ASIENTOS a, MV_ASIENTOS b",
         "select * from MV_ASIENTOS a, SS_MV_ASIENTOS b"},
        {"@Admin_", ""},
    };
    dbtest::ExpectAll(Redirected, cases);
}

TEST(Synonyms, AdministratorsOnlyLoseTheMarkers) {
    EXPECT_EQ(db::SS_TSinonimos("select * from MA_CUENTAS m, @admin_V_TA_CAJAS c", true),
              "select * from MA_CUENTAS m, V_TA_CAJAS c");
}

TEST(Synonyms, SecondPassRedirectsOnlyWhatWasMarked) {
    const QString once =
        db::SS_TSinonimos("select * from MA_CUENTAS a, @Admin_V_TA_CAJAS c", false);
    EXPECT_EQ(once, "select * from SS_MA_CUENTAS a, V_TA_CAJAS c");
    EXPECT_EQ(db::SS_TSinonimos(once, false), "select * from SS_MA_CUENTAS a, SS_V_TA_CAJAS c");
}

TEST(Synonyms, ExecutionTextOfAStatement) {
    struct ExecCase {
        const char* input;
        bool admin;
        const char* expected;
    };
    const ExecCase cases[] = {
        {"update MA_CUENTAS set a = 1", false, "update SS_MA_CUENTAS set a = 1"},
        {"update MA_CUENTAS set a = 1", true, "update MA_CUENTAS set a = 1"},
        // Deletes, and anything with DELETE inside a longer word, are never redirected.
        {"delete from ma_cuentas where a = 1", false, "delete from ma_cuentas where a = 1"},
        {"update MA_CUENTAS set deleted = 1", false, "update MA_CUENTAS set deleted = 1"},
        // A marker anywhere keeps every name of the statement as written.
        {"update MA_CUENTAS set a = (select b from @ADMIN_V_TA_CAJAS c)", false,
         "update MA_CUENTAS set a = (select b from V_TA_CAJAS c)"},
        {"delete from @Admin_MA_CUENTAS where 1", false, "delete from MA_CUENTAS where 1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(db::SinonimosParaEjecutar(c.input, c.admin), c.expected) << c.input;
    }
}

}  // namespace
