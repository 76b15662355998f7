// The host against its catalogue: every menu and item the catalogue lists is built in its
// place, and every item, chosen from its popup menu, answers in PRespuesta as its row says.
#include "Catalogo.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <vector>

#include "Printers.h"
#include "ScriptedDialogs.h"
#include "cheques/menus/FrmMenus.h"
#include "cheques/runtime/Text.h"

namespace {

using menus::Answer;
using menus::FilaCatalogo;
using menus::FrmMenus;
using menus::Kind;

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// ---- Structure ----

TEST(FrmMenusCatalogue, TwentyEightPopupMenusInTheCataloguesOrder) {
    FrmMenus host;
    QStringList built;
    for (const QMenu* menu : host.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        built.append(menu->objectName());
    }
    QStringList catalogued;
    for (const FilaCatalogo& fila : menus::Catalogo()) {
        if (fila.kind == Kind::Menu) {
            catalogued.append(Q(fila.name));
            EXPECT_EQ(host.Menu(Q(fila.name).toUpper()), host.findChild<QMenu*>(Q(fila.name)));
        }
    }
    EXPECT_EQ(catalogued.size(), 28);
    EXPECT_EQ(built, catalogued);
}

// Checks one item row against the action built for it.
void ExpectBuiltAsCatalogued(const FrmMenus& host, const QAction& action, const FilaCatalogo& f) {
    SCOPED_TRACE(std::string(f.name) + " " + f.caption);
    EXPECT_EQ(action.isSeparator(), f.kind == Kind::Separator);
    EXPECT_EQ(action.menu() != nullptr, f.kind == Kind::Submenu);
    EXPECT_EQ(action.isVisible(), (f.flags & menus::kHidden) == 0);
    EXPECT_EQ(action.isChecked(), (f.flags & menus::kChecked) != 0);
    if (f.kind == Kind::Separator) {
        return;
    }
    EXPECT_EQ(action.objectName(), Q(f.name));
    EXPECT_EQ(action.text(), Q(f.caption));
    EXPECT_EQ(host.Item(Q(f.name).toUpper()), &action) << "found by name, ignoring case";
    if (f.kind == Kind::Submenu) {
        EXPECT_EQ(host.Menu(Q(f.name)), action.menu());
    }
}

TEST(FrmMenusCatalogue, EveryRowIsBuiltInItsPlace) {
    FrmMenus host;
    QList<QAction*> popupItems;    // still to meet in the current popup menu
    QList<QAction*> submenuItems;  // and in the current submenu
    for (const FilaCatalogo& fila : menus::Catalogo()) {
        if (fila.kind == Kind::Menu) {
            EXPECT_TRUE(popupItems.isEmpty()) << "extra items before " << fila.name;
            QMenu* popup = host.Menu(Q(fila.name));
            ASSERT_NE(popup, nullptr) << fila.name;
            popupItems = popup->actions();
            continue;
        }
        QList<QAction*>& items = fila.level == 2 ? submenuItems : popupItems;
        ASSERT_FALSE(items.isEmpty()) << "missing " << fila.name << " " << fila.caption;
        const QAction* action = items.takeFirst();
        ExpectBuiltAsCatalogued(host, *action, fila);
        if (fila.kind == Kind::Submenu && action->menu() != nullptr) {
            submenuItems = action->menu()->actions();
        }
    }
    EXPECT_TRUE(popupItems.isEmpty());
    EXPECT_TRUE(submenuItems.isEmpty());
}

// ---- Answers ----

// An item that can be chosen, and the popup menu that shows it.
struct ItemCase {
    const char* name;
    const char* menu;
    FilaCatalogo fila;
};

std::vector<ItemCase> ChosenItems() {
    std::vector<ItemCase> items;
    const char* menu = "";
    for (const FilaCatalogo& fila : menus::Catalogo()) {
        if (fila.kind == Kind::Menu) {
            menu = fila.name;
        } else if (fila.kind == Kind::Command || fila.kind == Kind::Array) {
            items.push_back({fila.name, menu, fila});
        }
    }
    return items;
}

const QString kEarlier = QStringLiteral("respuesta anterior");

// What PRespuesta holds once the item of the row is chosen after kEarlier: kept, its text,
// cleared, or what its design element carries (a caption without surrounding blanks; no tag).
QString AnswerAfterChoosing(const FilaCatalogo& fila) {
    switch (fila.answer) {
        case Answer::Keep:
            return kEarlier;
        case Answer::Set:
            return Q(fila.text);
        case Answer::CaptionTrimmed:
            return rt::text::Trim(Q(fila.caption));
        case Answer::Clear:
        case Answer::Tag:
            break;
    }
    return {};
}

class FrmMenusItem : public ::testing::TestWithParam<ItemCase> {};

TEST_P(FrmMenusItem, AnswersAsCatalogued) {
    const ItemCase& c = GetParam();
    ScriptedDialogs dialogs;
    FrmMenus host;
    host.PRespuesta = kEarlier;
    host.show();  // only to see whether the handler calls Salir
    dialogs.ChoosePopupItems({Q(c.name)});
    QAction* chosen = host.Mostrar(Q(c.menu), QPoint(10, 20));
    ASSERT_EQ(chosen, host.Item(Q(c.name)));
    EXPECT_EQ(dialogs.shownMenus, std::vector<QString>{Q(c.menu)});
    EXPECT_EQ(host.PRespuesta, AnswerAfterChoosing(c.fila));
    EXPECT_EQ(host.isVisible(), (c.fila.flags & menus::kSalir) == 0) << "Salir";
    EXPECT_EQ(chosen->isChecked(), (c.fila.flags & menus::kChecked) != 0);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FrmMenusItem, ::testing::ValuesIn(ChosenItems()), CaseName());

}  // namespace
