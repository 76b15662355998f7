#include "cheques/ui/QtDialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "ModalDriver.h"
#include "Printers.h"
#include "cheques/ui/Aplicacion.h"

namespace {

using ui::MsgBoxResult;

// What a real message box of a style shows: its buttons, in order, and its icon.
struct StyleCase {
    const char* name;
    int style;
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::Icon icon;
};

class MessageBoxShows : public ::testing::TestWithParam<StyleCase> {};

TEST_P(MessageBoxShows, TheButtonsAndIconOfItsStyle) {
    std::vector<QMessageBox::StandardButton> shown;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ModalDriver::Then([&](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        for (QAbstractButton* button : box.buttons()) {
            shown.push_back(box.standardButton(button));
        }
        icon = box.icon();
        box.buttons().constFirst()->click();
    });
    ui::QtDialogs().MsgBox(QStringLiteral("texto"), GetParam().style, QStringLiteral("t"));
    std::sort(shown.begin(), shown.end());
    std::vector<QMessageBox::StandardButton> expected = GetParam().buttons;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(icon, GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageBoxShows,
    ::testing::Values(StyleCase{"OKOnly", ui::vbOKOnly, {QMessageBox::Ok}, QMessageBox::NoIcon},
                      StyleCase{"OKCancelCritical",
                                ui::vbOKCancel | ui::vbCritical,
                                {QMessageBox::Ok, QMessageBox::Cancel},
                                QMessageBox::Critical},
                      StyleCase{"AbortRetryIgnoreQuestion",
                                ui::vbAbortRetryIgnore | ui::vbQuestion,
                                {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore},
                                QMessageBox::Question},
                      StyleCase{"YesNoCancelExclamation",
                                ui::vbYesNoCancel | ui::vbExclamation,
                                {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
                                QMessageBox::Warning},
                      StyleCase{"YesNoInformation",
                                ui::vbYesNo | ui::vbInformation,
                                {QMessageBox::Yes, QMessageBox::No},
                                QMessageBox::Information},
                      StyleCase{"RetryCancel",
                                ui::vbRetryCancel,
                                {QMessageBox::Retry, QMessageBox::Cancel},
                                QMessageBox::NoIcon}),
    CaseName());

// The answer of each button pressed, and of Enter (the default button) and Escape.
struct AnswerCase {
    const char* name;
    int style;
    int key;                              // Qt::Key_Return or Qt::Key_Escape; 0 to click
    QMessageBox::StandardButton clicked;  // when clicking
    int answer;
};

class MessageBoxAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MessageBoxAnswers, WithThePlatformsCode) {
    const AnswerCase& c = GetParam();
    ModalDriver::Then([&c](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        if (c.key != 0) {
            QTest::keyClick(&box, static_cast<Qt::Key>(c.key));
            return;
        }
        box.button(c.clicked)->click();
    });
    EXPECT_EQ(ui::QtDialogs().MsgBox(QStringLiteral("texto"), c.style, QStringLiteral("t")),
              c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MessageBoxAnswers,
    ::testing::Values(
        AnswerCase{"Ok", ui::vbOKOnly, 0, QMessageBox::Ok, ui::vbOK},
        AnswerCase{"Cancel", ui::vbOKCancel, 0, QMessageBox::Cancel, ui::vbCancel},
        AnswerCase{"Abort", ui::vbAbortRetryIgnore, 0, QMessageBox::Abort, ui::vbAbort},
        AnswerCase{"Retry", ui::vbAbortRetryIgnore, 0, QMessageBox::Retry, ui::vbRetry},
        AnswerCase{"Ignore", ui::vbAbortRetryIgnore, 0, QMessageBox::Ignore, ui::vbIgnore},
        AnswerCase{"Yes", ui::vbYesNoCancel, 0, QMessageBox::Yes, ui::vbYes},
        AnswerCase{"No", ui::vbYesNo, 0, QMessageBox::No, ui::vbNo},
        AnswerCase{"RetryOfRetryCancel", ui::vbRetryCancel, 0, QMessageBox::Retry, ui::vbRetry},
        // Enter presses the default button: the first, or the one vbDefaultButton2/3 names.
        AnswerCase{"EnterFirst", ui::vbYesNo, Qt::Key_Return, QMessageBox::NoButton, ui::vbYes},
        AnswerCase{"EnterSecond", ui::vbYesNo | ui::vbDefaultButton2, Qt::Key_Return,
                   QMessageBox::NoButton, ui::vbNo},
        AnswerCase{"EnterThird", ui::vbAbortRetryIgnore | ui::vbDefaultButton3, Qt::Key_Return,
                   QMessageBox::NoButton, ui::vbIgnore},
        // A third default on a two-button box falls back to the last button.
        AnswerCase{"EnterThirdOfTwo", ui::vbOKCancel | ui::vbDefaultButton3, Qt::Key_Return,
                   QMessageBox::NoButton, ui::vbCancel},
        // Escape answers Cancel where there is one, and the box's own way out elsewhere.
        AnswerCase{"EscapeOk", ui::vbOKOnly, Qt::Key_Escape, QMessageBox::NoButton, ui::vbOK},
        AnswerCase{"EscapeOKCancel", ui::vbOKCancel, Qt::Key_Escape, QMessageBox::NoButton,
                   ui::vbCancel},
        AnswerCase{"EscapeYesNoCancel", ui::vbYesNoCancel, Qt::Key_Escape, QMessageBox::NoButton,
                   ui::vbCancel},
        AnswerCase{"EscapeRetryCancel", ui::vbRetryCancel, Qt::Key_Escape, QMessageBox::NoButton,
                   ui::vbCancel},
        AnswerCase{"EscapeYesNo", ui::vbYesNo, Qt::Key_Escape, QMessageBox::NoButton, ui::vbNo},
        AnswerCase{"EscapeAbortRetryIgnore", ui::vbAbortRetryIgnore, Qt::Key_Escape,
                   QMessageBox::NoButton, ui::vbAbort}),
    CaseName());

// ---- Spanish ----

// The buttons of every box read as the clerks' own system labels them, and the standard
// dialogs speak Spanish once the program has set itself up, whatever the session's language.
TEST(QtDialogs, TheClerkReadsSpanish) {
    struct Case {
        int style;
        QStringList texts;
    };
    const Case cases[] = {
        {ui::vbOKOnly, {"Aceptar"}},
        {ui::vbOKCancel, {"Aceptar", "Cancelar"}},
        {ui::vbAbortRetryIgnore, {"&Anular", "&Omitir", "&Reintentar"}},
        {ui::vbYesNoCancel, {"&No", "&Sí", "Cancelar"}},
        {ui::vbYesNo, {"&No", "&Sí"}},
        {ui::vbRetryCancel, {"&Reintentar", "Cancelar"}},
    };
    for (const Case& c : cases) {
        QStringList shown;
        ModalDriver::Then([&](QWidget& w) {
            auto& box = dynamic_cast<QMessageBox&>(w);
            for (QAbstractButton* button : box.buttons()) {
                shown << button->text();
            }
            box.buttons().constFirst()->click();
        });
        ui::QtDialogs().MsgBox(QStringLiteral("texto"), c.style, QStringLiteral("t"));
        shown.sort();
        EXPECT_EQ(shown, c.texts) << c.style;
    }

    const ui::Aplicacion aplicacion;
    if (!aplicacion.EnCastellano()) {
        GTEST_SKIP() << "Qt's Spanish translation (Debian package qt6-translations-l10n) is not "
                        "installed";
    }
    QStringList prompt;
    ModalDriver::Then([&](QWidget& w) {
        for (const QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
            prompt << button->text().remove(QLatin1Char('&'));
        }
        dynamic_cast<QInputDialog&>(w).reject();
    });
    ui::QtDialogs().InputBox(QStringLiteral("p"), QStringLiteral("t"), {});
    prompt.sort();
    EXPECT_EQ(prompt, QStringList({"Aceptar", "Cancelar"}));
}

TEST(QtDialogs, MessageBoxTitleIsTheProgramsWhenNoneIsGiven) {
    QStringList titles;
    const auto read = [&](QWidget& w) {
        titles << w.windowTitle();
        dynamic_cast<QMessageBox&>(w).buttons().constFirst()->click();
    };
    ModalDriver::Then(read);
    ui::QtDialogs().MsgBox(QStringLiteral("texto"), ui::vbOKOnly, QString());
    ModalDriver::Then(read);
    ui::QtDialogs().MsgBox(QStringLiteral("texto"), ui::vbOKOnly, QStringLiteral("Aviso"));
    EXPECT_EQ(titles, QStringList({QApplication::applicationName(), "Aviso"}));
}

// ---- ShowModal ----

TEST(QtDialogs, ShowModalShowsTheWindowModallyAndReturnsWhenItHides) {
    QWidget window;
    window.setWindowModality(Qt::NonModal);
    bool wasVisible = false;
    Qt::WindowModality modality = Qt::NonModal;
    ModalDriver::Then([&](QWidget& w) {
        wasVisible = w.isVisible();
        modality = w.windowModality();
        w.hide();
    });
    ui::QtDialogs().ShowModal(window);
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowModality(), Qt::NonModal) << "the modality is given back";
}

// A window the window system minimises is hidden from the screen, not by the program: the wait
// goes on until it is restored and closed.
TEST(QtDialogs, ShowModalWaitsThroughAMinimisedWindow) {
    QWidget window;
    bool returned = false;
    bool waitedWhileMinimised = false;
    QTimer::singleShot(0, &window, [&] {
        window.setWindowState(Qt::WindowMinimized);
        QTimer::singleShot(20, &window, [&] {
            waitedWhileMinimised = !returned;
            window.setWindowState(Qt::WindowNoState);
            window.hide();
        });
    });
    ui::QtDialogs().ShowModal(window);
    returned = true;
    EXPECT_TRUE(waitedWhileMinimised);
    EXPECT_FALSE(window.isVisible());
}

TEST(QtDialogs, ShowModalReturnsWhenTheWindowIsDestroyed) {
    QPointer<QWidget> window = new QWidget;  // NOLINT: deleted by its own deleteLater
    ModalDriver::Then([](QWidget& w) { w.deleteLater(); });
    ui::QtDialogs().ShowModal(*window);
    EXPECT_TRUE(window.isNull());
}

// ---- Prompts and popup menus ----

TEST(QtDialogs, InputBoxGivesTheTextOrNothingWhenCancelled) {
    ModalDriver::Then([](QWidget& w) {
        auto& dialog = dynamic_cast<QInputDialog&>(w);
        EXPECT_EQ(dialog.labelText(), "¿Cantidad?");
        EXPECT_EQ(dialog.textValue(), "1");
        dialog.setTextValue(QStringLiteral("25"));
        dialog.accept();
    });
    EXPECT_EQ(ui::QtDialogs().InputBox(QStringLiteral("¿Cantidad?"), QStringLiteral("Cantidad"),
                                       QStringLiteral("1")),
              QString("25"));
    ModalDriver::Then([](QWidget& w) { dynamic_cast<QInputDialog&>(w).reject(); });
    EXPECT_FALSE(ui::QtDialogs().InputBox(QStringLiteral("p"), QStringLiteral("t"), {}));
}

TEST(QtDialogs, PopupMenuGivesTheChosenItemOrNothing) {
    QMenu menu;
    menu.addAction(QStringLiteral("Primero"));
    QAction* second = menu.addAction(QStringLiteral("Segundo"));
    int triggered = 0;
    QObject::connect(second, &QAction::triggered, [&] { ++triggered; });
    ModalDriver::Then(
        [second](QWidget& w) {
            auto& popup = dynamic_cast<QMenu&>(w);
            popup.setActiveAction(second);
            QTest::keyClick(&popup, Qt::Key_Return);
        },
        ModalDriver::ActivePopup);
    EXPECT_EQ(ui::QtDialogs().PopupMenu(menu, QPoint(10, 10)), second);
    EXPECT_EQ(triggered, 1) << "the item's handler has run";
    ModalDriver::Then([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); },
                      ModalDriver::ActivePopup);
    EXPECT_EQ(ui::QtDialogs().PopupMenu(menu, QPoint(10, 10)), nullptr);
    EXPECT_EQ(triggered, 1);
}

// ---- Screen metrics and the default ----

TEST(QtDialogs, ScreenMetricsComeFromThePlatform) {
    const ui::QtDialogs dialogs;
    const QSize screen = dialogs.ScreenSize();
    EXPECT_GT(screen.width(), 0);
    EXPECT_GT(screen.height(), 0);
    ASSERT_FALSE(dialogs.ScreenGeometries().isEmpty());
    EXPECT_EQ(dialogs.ScreenGeometries().constFirst().size(), screen);
    const QFont font;
    EXPECT_EQ(dialogs.TextWidth(font, QStringLiteral("Consulta")),
              QFontMetrics(font).horizontalAdvance(QStringLiteral("Consulta")));
}

// A program that links the Qt dialogs gets them when nothing else is installed.
TEST(Dialogs, TheQtDialogsAreTheDefaultAndInstallingReplacesThem) {
    EXPECT_NE(dynamic_cast<ui::QtDialogs*>(&ui::Dialogs::Current()), nullptr);
    ui::QtDialogs other;
    {
        const ui::ScopedDialogs installed(other);
        EXPECT_EQ(&ui::Dialogs::Current(), &other);
    }
    EXPECT_NE(&ui::Dialogs::Current(), &other);
    EXPECT_NE(dynamic_cast<ui::QtDialogs*>(&ui::Dialogs::Current()), nullptr);
}

}  // namespace
