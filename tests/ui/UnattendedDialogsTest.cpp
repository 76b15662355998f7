#include "cheques/ui/UnattendedDialogs.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QMenu>
#include <QWidget>

#include "Printers.h"

namespace {

struct NegativeCase {
    const char* name;
    int style;
    int answer;
};

class NegativeAnswer : public ::testing::TestWithParam<NegativeCase> {};

TEST_P(NegativeAnswer, IsTheBoxsWayOut) {
    EXPECT_EQ(ui::NegativeAnswer(GetParam().style), GetParam().answer);
    EXPECT_EQ(ui::UnattendedDialogs().MsgBox(QStringLiteral("p"), GetParam().style, {}),
              GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, NegativeAnswer,
    ::testing::Values(
        NegativeCase{"OKOnly", ui::vbOKOnly, ui::vbOK},
        NegativeCase{"OKCancel", ui::vbOKCancel, ui::vbCancel},
        NegativeCase{"AbortRetryIgnore", ui::vbAbortRetryIgnore | ui::vbCritical, ui::vbAbort},
        NegativeCase{"YesNoCancel", ui::vbYesNoCancel, ui::vbCancel},
        NegativeCase{"YesNo", ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, ui::vbNo},
        NegativeCase{"RetryCancel", ui::vbRetryCancel, ui::vbCancel}),
    CaseName());

// Nobody is there: nothing is shown and nothing is chosen.
TEST(UnattendedDialogs, AsksNobody) {
    ui::UnattendedDialogs dialogs;
    EXPECT_FALSE(dialogs.InputBox(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d")));
    QMenu menu;
    menu.addAction(QStringLiteral("a"));
    EXPECT_EQ(dialogs.PopupMenu(menu, {}), nullptr);
    QWidget window;
    dialogs.ShowModal(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dialogs.ScreenSize(), QSize(1024, 768));
    EXPECT_EQ(dialogs.ScreenGeometries(), QList<QRect>({QRect(0, 0, 1024, 768)}));
    EXPECT_EQ(dialogs.TextWidth(QFont(), QStringLiteral("abc")), 24);
}

}  // namespace
