#include <gtest/gtest.h>

#include "CasoNombrado.h"
#include "Printers.h"
#include "Teclas.h"

namespace {

using lookuptest::PrintTo;

using namespace lookup::teclas;

struct TeclaCase {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int codigo;
    const char* texto;  // what it types into a search box
    bool vaALaCaja;
};

class TeclasTest : public ::testing::TestWithParam<TeclaCase> {};

TEST_P(TeclasTest, CodeAndText) {
    const TeclaCase& c = GetParam();
    const int codigo = CodigoDe(c.qtKey, c.modifiers);
    EXPECT_EQ(codigo, c.codigo);
    EXPECT_EQ(TextoDe(codigo), QString::fromUtf8(c.texto));
    EXPECT_EQ(VaALaCaja(codigo), c.vaALaCaja);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TeclasTest,
    ::testing::Values(TeclaCase{"Letter", Qt::Key_A, {}, 65, "A", true},
                      TeclaCase{"ShiftedLetter", Qt::Key_Z, Qt::ShiftModifier, 90, "Z", true},
                      TeclaCase{"Digit", Qt::Key_7, {}, 55, "7", true},
                      TeclaCase{"Slash", Qt::Key_Slash, {}, 47, "/", true},
                      TeclaCase{"KeypadDigit", Qt::Key_0, Qt::KeypadModifier, 96, "0", true},
                      TeclaCase{"KeypadStar", Qt::Key_Asterisk, Qt::KeypadModifier, 106, "*", true},
                      TeclaCase{"KeypadMinus", Qt::Key_Minus, Qt::KeypadModifier, 109, "-", true},
                      TeclaCase{"Backspace", Qt::Key_Backspace, {}, 8, "", true},
                      TeclaCase{"F1", Qt::Key_F1, {}, 112, "", true},
                      TeclaCase{"F12", Qt::Key_F12, {}, 123, "", true},
                      TeclaCase{"Enter", Qt::Key_Return, {}, 13, "", false},
                      TeclaCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, 13, "", false},
                      TeclaCase{"Space", Qt::Key_Space, {}, 32, " ", false},
                      TeclaCase{"Insert", Qt::Key_Insert, {}, 45, "", false},
                      TeclaCase{"Delete", Qt::Key_Delete, {}, 46, "", false},
                      TeclaCase{"Down", Qt::Key_Down, {}, 40, "", false},
                      TeclaCase{"PageUp", Qt::Key_PageUp, {}, 33, "", false},
                      TeclaCase{"Accented", Qt::Key_Ntilde, {}, 0, "", false}),
    CaseName());

TEST(TeclasShiftTest, ShiftState) {
    EXPECT_EQ(ShiftDe({}), 0);
    EXPECT_EQ(ShiftDe(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftDe(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(ShiftDe(Qt::KeypadModifier), 0);
}

}  // namespace
