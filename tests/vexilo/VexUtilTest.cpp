#include "cheques/vexilo/VexUtil.h"

#include <gtest/gtest.h>

#include <QDate>
#include "RaisedError.h"

#include "ScriptedDialogs.h"
#include "cheques/runtime/Steps.h"
#include "cheques/vexilo/Manejador.h"

using rt::Currency;
using vexilo::VexUtil;

namespace {}  // namespace

TEST(VexUtil, TextoAMonedaReadsTheLeadingNumberInTheUsersFormat) {
    struct Case {
        const char* in;
        int64_t scaled;
    };
    const Case cases[] = {
        {"12,5", 125000},
        {"1.234,5678", 12345678},
        {"1440|2880|", 14400000},
        {"  -3,25 ", -32500},
        {"", 0},
        {"abc", 0},
        {"7abc", 70000},
        {"0,00005", 0},
        {"0,00015", 2},
        {"0,000151", 2},
        {"0,00025", 2},
        {"$ 10,01", 100100},
        {"+2", 20000},
        {"1.5", 150000},
        {"922337203685477,5807", INT64_MAX},
        {"-922337203685477,5808", INT64_MIN},
    };
    const VexUtil util;
    for (const auto& c : cases) {
        EXPECT_EQ(util.TextoAMoneda(QString::fromUtf8(c.in)), Currency::FromScaled(c.scaled))
            << c.in;
    }
    EXPECT_EQ(RaisedNumber([&] { util.TextoAMoneda("922337203685478"); }), rt::err::Overflow);
    EXPECT_EQ(RaisedNumber([&] { util.TextoAMoneda(QString(40, QLatin1Char('9'))); }),
              rt::err::Overflow);
}

TEST(VexUtil, TextoAEnteroRoundsHalfToEven) {
    struct Case {
        const char* in;
        int32_t out;
    };
    const Case cases[] = {
        {"12", 12},
        {"0012", 12},
        {"2,5", 2},
        {"3,5", 4},
        {"-2,5", -2},
        {"2,51", 3},
        {"12abc", 12},
        {"", 0},
        {"x", 0},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"1.000", 1000},
    };
    const VexUtil util;
    for (const auto& c : cases) {
        EXPECT_EQ(util.TextoAEntero(c.in), c.out) << c.in;
    }
    EXPECT_EQ(RaisedNumber([&] { util.TextoAEntero("2147483648"); }), rt::err::Overflow);
    EXPECT_EQ(RaisedNumber([&] { util.TextoAEntero("2147483647,5"); }), rt::err::Overflow);
}

TEST(VexUtil, CampoATextoIsNeverNull) {
    const VexUtil util;
    EXPECT_EQ(util.CampoATexto(rt::Variant::Null()), "");
    EXPECT_EQ(util.CampoATexto(rt::Variant()), "");
    EXPECT_EQ(util.CampoATexto(rt::Variant("")), "");
    EXPECT_EQ(util.CampoATexto(rt::Variant("ABC  ")), "ABC  ");
    EXPECT_EQ(util.CampoATexto(rt::Variant(42)), "42");
    EXPECT_EQ(util.CampoATexto(rt::Variant(12.5)), "12,5");
    EXPECT_EQ(util.CampoATexto(rt::Variant(QDate(2024, 3, 9))), "9/3/2024");
}

TEST(VexUtil, ContarPalabras) {
    const VexUtil util;
    EXPECT_EQ(util.ContarPalabras(""), 0);
    EXPECT_EQ(util.ContarPalabras("   "), 0);
    EXPECT_EQ(util.ContarPalabras("LEN"), 1);
    EXPECT_EQ(util.ContarPalabras("  LEN  "), 1);
    EXPECT_EQ(util.ContarPalabras("SELECT a FROM t"), 4);
    EXPECT_EQ(util.ContarPalabras("a\tb\r\nc"), 3);
}

TEST(VexUtil, TransformarTextoBlanksThePaddingCharacters) {
    const VexUtil util;
    const QString padded = QStringLiteral("ART") + QString(3, QChar(0)) + QChar(255) + "X";
    EXPECT_EQ(util.TransformarTexto(padded, QChar(0), QChar(255)), "ART    X");
    EXPECT_EQ(util.TransformarTexto("sin relleno", QChar(0), QChar(255)), "sin relleno");
}

TEST(VexUtil, ReemplazarTextoIgnoresCase) {
    const VexUtil util;
    EXPECT_EQ(util.ReemplazarTexto("a|B|c|", "|", ","), "a,B,c,");
    EXPECT_EQ(util.ReemplazarTexto("Uno uno UNO", "uno", "1"), "1 1 1");
    EXPECT_EQ(util.ReemplazarTexto("abc", "", "x"), "abc");
}

TEST(VexUtil, AjustarTexto) {
    const VexUtil util;
    EXPECT_EQ(util.AjustarTexto("linea 1\r\nlinea 2\tfin\n"), "linea 1 linea 2 fin ");
    EXPECT_EQ(util.AjustarTexto("corto", 25), "corto");
    EXPECT_EQ(util.AjustarTexto(QString(30, QLatin1Char('a')), 25), QString(25, QLatin1Char('a')));
}

TEST(VexUtil, CompletarRutaEndsInTheSeparator) {
    const VexUtil util;
    EXPECT_EQ(util.CompletarRuta("/opt/cheques"), "/opt/cheques/");
    EXPECT_EQ(util.CompletarRuta("/opt/cheques/"), "/opt/cheques/");
    EXPECT_EQ(util.CompletarRuta("C:\\Cheques\\"), "C:\\Cheques\\");
    EXPECT_EQ(util.CompletarRuta(""), "");
    EXPECT_EQ(util.CompletarRuta("/opt") + "CONSULTASLEN.KDX", "/opt/CONSULTASLEN.KDX");
}

TEST(VexUtil, SustituirTextoReplacesWholeNames) {
    const VexUtil util;
    EXPECT_EQ(util.SustituirTexto("SELECT * FROM V_MA_ARTICULOS WHERE A=1", "V_MA_ARTICULOS",
                                  "VT_MA_ARTICULOS"),
              "SELECT * FROM VT_MA_ARTICULOS WHERE A=1");
    EXPECT_EQ(util.SustituirTexto("select x from dbo.v_ma_articulos,[V_MA_ARTICULOS]",
                                  "V_MA_ARTICULOS", "VT_MA_ARTICULOS"),
              "select x from dbo.VT_MA_ARTICULOS,[VT_MA_ARTICULOS]");
    EXPECT_EQ(util.SustituirTexto("FROM V_MA_ARTICULOS_STOCK, VT_MA_ARTICULOS", "V_MA_ARTICULOS",
                                  "VT_MA_ARTICULOS"),
              "FROM V_MA_ARTICULOS_STOCK, VT_MA_ARTICULOS");
    EXPECT_EQ(util.SustituirTexto("abc", "", "x"), "abc");
}

TEST(VexUtil, TratarErrorAsksWithAbortRetryIgnore) {
    ScriptedDialogs dialogs;
    const VexUtil util;
    const rt::RuntimeError error(rt::err::ProviderSyntax, "Sintaxis incorrecta cerca de 'FROM'.");
    dialogs.AnswerBoxes({ui::vbRetry, ui::vbIgnore, ui::vbAbort, ui::vbCancel, ui::vbOK});
    EXPECT_EQ(util.TratarError(error, "AbrirRecordset"), 4);
    EXPECT_EQ(util.TratarError(error, "AbrirRecordset"), 5);
    EXPECT_EQ(util.TratarError(error, "AbrirRecordset"), 3);
    EXPECT_EQ(util.TratarError(error, "AbrirRecordset"), 3) << "Escape means abort";
    EXPECT_EQ(util.TratarError(error, "AbrirRecordset"), 3);
    ASSERT_EQ(dialogs.boxes.size(), 5u);
    const auto& box = dialogs.boxes.front();
    EXPECT_EQ(box.style, ui::vbAbortRetryIgnore | ui::vbCritical);
    EXPECT_TRUE(box.prompt.contains("AbrirRecordset")) << box.prompt.toStdString();
    EXPECT_TRUE(box.prompt.contains("-2147217900")) << box.prompt.toStdString();
    EXPECT_TRUE(box.prompt.contains("Sintaxis incorrecta cerca de 'FROM'."));
    EXPECT_TRUE(box.title.contains("AbrirRecordset"));
}

TEST(VexUtil, TheHandlerOfAContextDrivesTheStepRunner) {
    ScriptedDialogs dialogs;
    const VexUtil util;
    dialogs.AnswerBoxes({ui::vbRetry, ui::vbIgnore, ui::vbAbort});
    int attempts = 0;
    std::vector<int> ran;
    rt::Steps steps(vexilo::Manejador(util, "Cfg"));
    const auto fails = [&] {
        ++attempts;
        rt::RuntimeError::Raise(rt::err::TypeMismatch);
    };
    ASSERT_TRUE(steps(fails));  // Retry, then Ignore
    ASSERT_TRUE(steps([&] { ran.push_back(2); }));
    EXPECT_FALSE(steps(fails));  // Abort
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(ran, std::vector<int>{2});
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_TRUE(dialogs.boxes.back().prompt.contains("No coinciden los tipos"));
    EXPECT_TRUE(dialogs.boxes.back().title.contains("Cfg"));
}
