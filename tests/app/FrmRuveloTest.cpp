#include "cheques/app/FrmRuvelo.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "DiscoLleno.h"
#include "Regional.h"
#include "ScopedConfigHome.h"
#include "ScriptedDialogs.h"
#include "cheques/app/ListView.h"
#include "cheques/app/Programa.h"
#include "cheques/menus/FrmMenus.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/ui/Twips.h"
#include "cheques/vexilo/VexIni.h"

using app::FrmRuvelo;
using Shared = rt::DefaultInstance<FrmRuvelo>;
using SharedMenus = rt::DefaultInstance<menus::FrmMenus>;

namespace {

// A dialog double with a second monitor to the right of the primary one, and letters of a
// fixed width.
class TwoScreens : public ScriptedDialogs {
  public:
    QList<QRect> ScreenGeometries() const override {
        return {QRect(QPoint(0, 0), screen), QRect(1280, 0, 1920, 1080)};
    }
};

class MeasuringDialogs : public ScriptedDialogs {
  public:
    mutable QList<QFont> fonts;
    int TextWidth(const QFont& font, const QString& text) const override {
        fonts.append(font);
        return static_cast<int>(text.count(QLatin1Char('X'))) * 7;
    }
};

class FrmRuveloTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(ui::twips::PerPixel(), 15.0) << "the tests assume 96 dots per inch";
        QFile::remove(Ini());
    }

    void TearDown() override {
        Shared::Release();
        SharedMenus::Release();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile::remove(Ini());
    }

    static QString Ini() { return vexilo::VexIni::Ruta(FrmRuvelo::kArchivoIni); }

    static void Store(const QString& top, const QString& left) {
        QFile::remove(Ini());
        vexilo::VexIni ini;
        if (!top.isNull()) {
            ini.GrabarValor(FrmRuvelo::kArchivoIni, FrmRuvelo::kSeccion, "Top", top);
        }
        if (!left.isNull()) {
            ini.GrabarValor(FrmRuvelo::kArchivoIni, FrmRuvelo::kSeccion, "Left", left);
        }
    }

    static QString Stored(const char* key) {
        return vexilo::VexIni().LeerValor(FrmRuvelo::kArchivoIni, FrmRuvelo::kSeccion, key, -1);
    }

    // Opens the shared window as the program does.
    static FrmRuvelo& Open() {
        FrmRuvelo& window = Shared::Get();
        window.show();
        return window;
    }

    // Closes it and lets the released window go.
    static void Close(FrmRuvelo& window) {
        window.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The widget that Tab moves the focus to from widget.
    static QWidget* NextTabStop(QWidget& widget) {
        for (QWidget* next = widget.nextInFocusChain(); next != &widget;
             next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(widget.window()) &&
                next->isEnabled() && next->focusProxy() == nullptr) {
                return next;
            }
        }
        return &widget;
    }

    static QTreeWidgetItem* AddEditableItem(app::ListView& list, const QString& text) {
        auto* item = new QTreeWidgetItem(&list, QStringList{text});  // owned by the list
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        list.setCurrentItem(item);
        return item;
    }

    ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(FrmRuveloTest, Design) {
    FrmRuvelo& window = Open();
    EXPECT_EQ(window.windowTitle(), "Consulta de Cheques");
    EXPECT_EQ(window.size(), QSize(493, 229));  // 7395 x 3435 twips
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    QLabel* label = window.Label1();
    EXPECT_EQ(label, window.findChild<QLabel*>("Label1"));
    EXPECT_EQ(label->text(), "Cheques pendientes de Acreditarse para HOY");
    EXPECT_EQ(label->geometry(), QRect(0, 0, 393, 17));
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(192, 192, 255));
    EXPECT_EQ(label->font().family(), "Times New Roman");
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
    EXPECT_EQ(label->font().weight(), QFont::Bold);
    EXPECT_TRUE(label->font().italic());

    QPushButton* refresh = window.CmdRefresh();
    EXPECT_EQ(refresh, window.findChild<QPushButton*>("CmdRefresh"));
    EXPECT_EQ(refresh->text(), "&Refresh");
    EXPECT_EQ(refresh->shortcut(), QKeySequence(Qt::ALT | Qt::Key_R));
    EXPECT_EQ(refresh->geometry(), QRect(400, 0, 89, 16));

    app::ListView* list = window.ListView1();
    EXPECT_EQ(list, window.findChild<app::ListView*>("ListView1"));
    EXPECT_EQ(list->geometry(), QRect(0, 24, 489, 201));
    EXPECT_EQ(list->columnCount(), 0) << "the list starts without columns";
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_FALSE(list->isHeaderHidden());
    EXPECT_FALSE(list->rootIsDecorated());

    ASSERT_EQ(window.ImageList1().size(), 2);
    QList<QImage> images;
    for (const QIcon& icon : window.ImageList1()) {
        EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
        images.append(icon.pixmap(32, 32).toImage());
        EXPECT_NE(images.back().pixel(16, 16), 0u) << "something is drawn";
    }
    EXPECT_NE(images[0], images[1]);

    // Tab order: the list, then the button; the list has the focus when the window opens.
    EXPECT_EQ(window.focusWidget(), list);
    EXPECT_EQ(NextTabStop(*list), refresh);
    EXPECT_EQ(NextTabStop(*refresh), list);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
}

TEST_F(FrmRuveloTest, FirstStartOpensInTheBottomRightCorner) {
    FrmRuvelo& window = Open();
    const QRect frame = window.frameGeometry();
    // 360 twips are 24 pixels from the right and bottom edges of the 1280 x 1024 screen.
    EXPECT_EQ(frame.x() + frame.width(), 1280 - 24);
    EXPECT_EQ(frame.y() + frame.height(), 1024 - 24);
}

TEST_F(FrmRuveloTest, AStoredSectionWithoutKeysIsAFirstStart) {
    vexilo::VexIni().GrabarValor(FrmRuvelo::kArchivoIni, "Otra", "Top", "0");
    FrmRuvelo& window = Open();
    EXPECT_EQ(window.frameGeometry().bottomRight(), QPoint(1280 - 25, 1024 - 25));
}

TEST_F(FrmRuveloTest, ThePositionSurvivesARestart) {
    FrmRuvelo& first = Open();
    first.move(100, 200);
    Close(first);
    EXPECT_FALSE(Shared::Exists()) << "closing releases the shared window";
    EXPECT_EQ(Stored("Top"), "3000");  // twips
    EXPECT_EQ(Stored("Left"), "1500");

    FrmRuvelo& second = Open();
    EXPECT_NE(&second, &first);
    EXPECT_EQ(second.pos(), QPoint(100, 200));
}

TEST_F(FrmRuveloTest, StoredCoordinatesAreRegionalNumbers) {
    Store(Regional("1234,5"), "-150");  // the locale's decimal separator
    FrmRuvelo& window = Open();
    EXPECT_EQ(window.pos(), QPoint(-10, 82));  // 82.3 pixels, and a window just off the left
}

// A stored coordinate that is no number stays where the window system placed the window: the
// other one is applied only once the system has placed it (here at 50, 300), never before, when
// it would fix the first one at 0 too.
TEST_F(FrmRuveloTest, ACoordinateThatIsNoNumberStaysWhereTheSystemPlacedTheWindow) {
    const QPoint system(50, 300);
    struct Case {
        const char* name;
        const char* top;
        const char* left;
        QPoint expected;
    };
    const Case cases[] = {
        {"top not a number", "abc", "1500", {100, system.y()}},
        {"top not a number, left far to the right", "abc", "3000", {200, system.y()}},
        {"left empty", "3000", "", {system.x(), 200}},
        {"left not a number", "1500", "x", {system.x(), 100}},
        {"neither a number", "abc", "xyz", system},
    };
    for (const Case& c : cases) {
        Store(QString::fromUtf8(c.top), QString::fromUtf8(c.left));
        FrmRuvelo& window = Open();
        window.move(system);  // the window system places a window that was given no place
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << c.name;
        QCoreApplication::processEvents();
        EXPECT_EQ(window.pos(), c.expected) << c.name;
        Close(window);
    }
}

// Without a window manager nothing moves the window after it is shown: the readable coordinate
// is applied once it is up, and the other stays where it was shown.
TEST_F(FrmRuveloTest, WithoutAWindowManagerTheReadableCoordinateStillApplies) {
    Store("abc", "3000");
    FrmRuvelo& window = Open();
    const int shownAt = window.y();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.pos(), QPoint(200, shownAt));
}

TEST_F(FrmRuveloTest, APlaceOffEveryScreenFallsBackToTheFirstStartCorner) {
    Store("100000", "100000");  // saved on a much larger monitor
    FrmRuvelo& window = Open();
    EXPECT_EQ(window.frameGeometry().bottomRight(), QPoint(1280 - 25, 1024 - 25));
    Close(window);

    Store("-30000", "3000");
    EXPECT_EQ(Open().frameGeometry().bottomRight(), QPoint(1280 - 25, 1024 - 25));
}

TEST_F(FrmRuveloTest, APlacePartlyOnTheScreenIsKept) {
    Store("15000", "18000");  // 1000, 1200 pixels: the window reaches past the screen's corner
    EXPECT_EQ(Open().pos(), QPoint(1200, 1000));
}

TEST_F(FrmRuveloTest, APlaceOnASecondMonitorIsKept) {
    TwoScreens screens;
    Store("1500", "30000");  // 2000 pixels from the left: on the second monitor
    FrmRuvelo& window = Open();
    EXPECT_EQ(window.pos(), QPoint(2000, 100));
    Close(window);

    Store("1500", "60000");  // right of the second monitor too
    EXPECT_EQ(Open().frameGeometry().bottomRight(), QPoint(1280 - 25, 1024 - 25));
}

TEST_F(FrmRuveloTest, AnUnreadableStoreIsIgnored) {
    ASSERT_TRUE(QDir().mkpath(Ini()));  // a folder where the file should be
    FrmRuvelo& window = Open();
    EXPECT_EQ(window.frameGeometry().bottomRight(), QPoint(1280 - 25, 1024 - 25));
    EXPECT_TRUE(dialogs.boxes.empty());
    window.hide();
    QDir(Ini()).removeRecursively();
}

TEST_F(FrmRuveloTest, AFailedSaveIsReportedAndTheWindowStillCloses) {
    FrmRuvelo& window = Open();
    ASSERT_TRUE(QDir().mkpath(Ini()));
    QPointer<FrmRuvelo> guard = &window;
    Close(window);
    EXPECT_FALSE(guard);
    EXPECT_FALSE(Shared::Exists());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbCritical);
    EXPECT_TRUE(dialogs.boxes[0].prompt.contains("'75'")) << dialogs.boxes[0].prompt.toStdString();
    QDir(Ini()).removeRecursively();
}

TEST_F(FrmRuveloTest, RefreshChangesNothingAndSaysNothing) {
    FrmRuvelo& window = Open();
    QSignalSpy clicked(window.CmdRefresh(), &QPushButton::clicked);
    QTest::mouseClick(window.CmdRefresh(), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(window.ListView1()->columnCount(), 0);
    EXPECT_EQ(window.ListView1()->topLevelItemCount(), 0);

    QString fecha = "9/3/2024";
    bool hayDatos = true;
    window.CargarChequesEnCartera(fecha, &hayDatos);
    window.CargarChequesEnCartera(fecha);
    EXPECT_EQ(fecha, "9/3/2024");
    EXPECT_TRUE(hayDatos);
}

TEST_F(FrmRuveloTest, LabelEditsAreRefusedWhenTheyStart) {
    FrmRuvelo& window = Open();
    app::ListView& list = *window.ListView1();
    window.Encolumnar();
    QTreeWidgetItem* item = AddEditableItem(list, "Cheque 1");
    int before = 0;
    QObject::connect(&list, &app::ListView::BeforeLabelEdit, [&before](bool&) { ++before; });

    QTest::keyClick(&list, Qt::Key_F2);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(list.findChild<QLineEdit*>(), nullptr);

    // A click on the selected item's text is the other way to start an edit.
    list.setCurrentItem(item);
    const QPoint text = list.visualRect(list.currentIndex().siblingAtColumn(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, text);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(list.findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(item->text(0), "Cheque 1");
}

TEST_F(FrmRuveloTest, LabelEditsAreRefusedWhenTheyEnd) {
    FrmRuvelo& window = Open();
    app::ListView& list = *window.ListView1();
    window.Encolumnar();
    QTreeWidgetItem* item = AddEditableItem(list, "Cheque 1");
    // Let the edit start, to reach its end.
    ASSERT_TRUE(QObject::disconnect(&list, &app::ListView::BeforeLabelEdit, &window, nullptr));
    int after = 0;
    QObject::connect(&list, &app::ListView::AfterLabelEdit, [&after](bool&, QString&) { ++after; });

    auto typeOver = [&](const QString& text) {
        QTest::keyClick(&list, Qt::Key_F2);
        auto* editor = list.findChild<QLineEdit*>();
        ASSERT_TRUE(editor) << "the edit did not start";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor's data is committed after the key
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // and it goes
    };
    typeOver("Cheque 99");
    EXPECT_EQ(after, 1);
    EXPECT_EQ(item->text(0), "Cheque 1") << "the typed text is discarded";

    // Without the window's refusal the same typing would rename the item.
    ASSERT_TRUE(QObject::disconnect(&list, &app::ListView::AfterLabelEdit, &window, nullptr));
    typeOver("Cheque 99");
    EXPECT_EQ(item->text(0), "Cheque 99");
}

TEST_F(FrmRuveloTest, ARightClickShowsTheChequeMenuAtThePointer) {
    FrmRuvelo& window = Open();
    QWidget* viewport = window.ListView1()->viewport();
    EXPECT_FALSE(SharedMenus::Exists()) << "the menu host is created on first use";

    dialogs.ChoosePopupItems({"MNU_EmergenteXXV_Depositar"});
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(30, 40));
    ASSERT_EQ(dialogs.shownMenus, (std::vector<QString>{"MNU_EmergenteXXV"}));
    EXPECT_EQ(dialogs.popupPositions[0], viewport->mapToGlobal(QPoint(30, 40)));
    EXPECT_EQ(SharedMenus::Get().PRespuesta, "Depositar");
    EXPECT_TRUE(window.EligioDepositar());
    QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(30, 40));

    // Dismissing the menu leaves the earlier answer.
    dialogs.ChoosePopupItems({""});
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(SharedMenus::Get().PRespuesta, "Depositar");
    EXPECT_TRUE(window.EligioDepositar());

    dialogs.ChoosePopupItems({"MNU_EmergenteXXV_Cancelar"});
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(SharedMenus::Get().PRespuesta, "");
    EXPECT_FALSE(window.EligioDepositar());

    // The comparison ignores case.
    SharedMenus::Get().PRespuesta = "DEPOSITAR";
    dialogs.ChoosePopupItems({""});
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(window.EligioDepositar());
    EXPECT_EQ(dialogs.shownMenus.size(), 4u);

    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(SharedMenus::Get().isVisible());
    EXPECT_EQ(window.ListView1()->columnCount(), 0) << "nothing follows the answer";
}

TEST_F(FrmRuveloTest, OtherButtonsShowNoMenu) {
    FrmRuvelo& window = Open();
    QWidget* viewport = window.ListView1()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseClick(viewport, Qt::MiddleButton, {}, QPoint(30, 40));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    EXPECT_TRUE(dialogs.shownMenus.empty());
    EXPECT_FALSE(SharedMenus::Exists());
}

TEST_F(FrmRuveloTest, EncolumnarGivesSixColumnsInLettersX) {
    MeasuringDialogs measuring;
    FrmRuvelo& window = Open();
    app::ListView& list = *window.ListView1();
    AddEditableItem(list, "se va");
    window.Encolumnar();
    window.Encolumnar();
    EXPECT_EQ(list.topLevelItemCount(), 0);
    ASSERT_EQ(list.columnCount(), 6);
    const QStringList captions{"Fecha",       "Banco",   "Numero",
                               "Vencimiento", "Importe", "Cuenta Origen"};
    const int letters[] = {12, 20, 20, 12, 12, 15};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(list.headerItem()->text(i), captions[i]);
        EXPECT_EQ(list.columnWidth(i), letters[i] * 7) << captions[i].toStdString();
    }
    ASSERT_FALSE(measuring.fonts.isEmpty());
    for (const QFont& font : measuring.fonts) {
        EXPECT_EQ(font, window.font()) << "measured in the window's own font";
    }
}

TEST_F(FrmRuveloTest, ClosingTheWindowEndsTheProgram) {
    QTimer::singleShot(0, [] {
        ASSERT_TRUE(Shared::Exists());
        FrmRuvelo& window = Shared::Get();
        EXPECT_TRUE(window.isVisible());
        SharedMenus::Get();  // the hidden host, loaded by a right click
        window.move(300, 400);
        window.close();
    });
    EXPECT_EQ(app::Programa::Ejecutar(), 0);
    EXPECT_FALSE(Shared::Exists());
    EXPECT_FALSE(SharedMenus::Exists());
    EXPECT_EQ(Stored("Top"), "6000");
    EXPECT_EQ(Stored("Left"), "4500");
}

// Closing the window on a full disk keeps the INI file as it was, other sections included, and
// says so, instead of leaving a file with the last key alone in it.
TEST_F(FrmRuveloTest, ClosingOnAFullDiskKeepsTheFileAndSaysSo) {
    const DiscoLleno disco;
    if (!disco.Montado()) {
        GTEST_SKIP() << disco.Motivo().toStdString();
    }
    const ScopedConfigHome home(disco.Carpeta());
    const QByteArray stored =
        "[Otra]\r\nX=1\r\n\r\n[FrmChequesEnCartera]\r\nTop=1500\r\nLeft=1995\r\n";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Ini()).absolutePath()));
    QFile file(Ini());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(stored);
    file.close();
    ASSERT_TRUE(disco.Llenar());
    FrmRuvelo& window = Open();
    window.move(300, 400);
    Close(window);
    EXPECT_FALSE(Shared::Exists());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbCritical);
    EXPECT_TRUE(dialogs.boxes[0].prompt.contains(Ini())) << dialogs.boxes[0].prompt.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
}

TEST_F(FrmRuveloTest, UnhandledErrorsAreReported) {
    app::Programa::ReportarError(rt::RuntimeError(75, "Path/File access error", "/x/CN000pr.INI"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].style, ui::vbCritical);
    EXPECT_EQ(dialogs.boxes[0].prompt,
              "Se ha producido el error '75' en tiempo de ejecución:\n\nPath/File access "
              "error\n\n/x/CN000pr.INI");
}
