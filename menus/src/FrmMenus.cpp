#include "cheques/menus/FrmMenus.h"

#include <QAction>
#include <QMenu>

#include "Catalogo.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"

namespace menus {

namespace {

constexpr int32_t kElementMissing = 340;
constexpr int32_t kDesignElement = 362;
constexpr const char* kIndexProperty = "Index";

QString Key(const QString& name) {
    return name.toCaseFolded();
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

[[noreturn]] void RaiseMissingElement(const QString& array, int index) {
    throw rt::RuntimeError(kElementMissing,
                           QStringLiteral("Control array element '%1' doesn't exist").arg(index),
                           array);
}

}  // namespace

FrmMenus::FrmMenus(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmMenus"));
    Construir();
    PRespuesta = QString();
}

FrmMenus::~FrmMenus() = default;

void FrmMenus::Construir() {
    QMenu* popup = nullptr;
    QMenu* submenu = nullptr;
    QHash<QMenu*, int> separators;
    for (const FilaCatalogo& fila : Catalogo()) {
        const QString name = Text(fila.name);
        if (fila.kind == Kind::Menu) {
            popup = new QMenu(name, this);
            popup->setObjectName(name);
            menus_.insert(Key(name), popup);
            submenu = nullptr;
            continue;
        }
        QMenu* owner = fila.level == 2 ? submenu : popup;
        Q_ASSERT(owner);
        QAction* item = nullptr;
        switch (fila.kind) {
            case Kind::Separator: {
                item = owner->addSeparator();
                item->setObjectName(QStringLiteral("%1_Separador%2")
                                        .arg(owner->objectName())
                                        .arg(++separators[owner]));
                break;
            }
            case Kind::Submenu: {
                submenu = owner->addMenu(Text(fila.caption));
                submenu->setObjectName(name);
                item = submenu->menuAction();
                item->setObjectName(name);
                menus_.insert(Key(name), submenu);
                break;
            }
            case Kind::Command:
            case Kind::Array: {
                item = owner->addAction(Text(fila.caption));
                item->setObjectName(name);
                if (fila.flags & kChecked) {
                    SetChecked(*item, true);
                }
                if (fila.kind == Kind::Array) {
                    item->setProperty(kIndexProperty, 0);
                    arreglos_.insert(Key(name), Arreglo{&fila, {{0, item}}});
                }
                Conectar(*item, fila);
                break;
            }
            case Kind::Menu:
                break;
        }
        if (fila.flags & kHidden) {
            item->setVisible(false);
        }
        items_.insert(Key(item->objectName()), item);
    }
}

void FrmMenus::Conectar(QAction& item, const FilaCatalogo& fila) {
    connect(&item, &QAction::triggered, this,
            [this, &item, &fila](bool checkedNow) { Elegido(item, fila, checkedNow); });
}

void FrmMenus::Elegido(QAction& item, const FilaCatalogo& fila, bool checkedNow) {
    if (item.isCheckable()) {
        // Choosing an item never toggles its check mark; the items designed with one set it.
        item.setChecked((fila.flags & kChecked) != 0 || !checkedNow);
    }
    switch (fila.answer) {
        case Answer::Keep:
            break;
        case Answer::Set:
            PRespuesta = Text(fila.text);
            break;
        case Answer::Clear:
            PRespuesta = QString();
            break;
        case Answer::CaptionTrimmed:
            PRespuesta = rt::text::Trim(item.text());
            break;
        case Answer::Tag:
            PRespuesta = Tag(item);
            break;
    }
    if (fila.flags & kSalir) {
        Salir();
    }
}

void FrmMenus::Salir() {
    hide();
}

QMenu* FrmMenus::Menu(const QString& nombre) const {
    return menus_.value(Key(nombre));
}

QAction* FrmMenus::Item(const QString& nombre) const {
    return items_.value(Key(nombre));
}

QAction* FrmMenus::Mostrar(const QString& menu, const QPoint& posicionGlobal) {
    QMenu* popup = Menu(menu);
    if (!popup) {
        rt::RuntimeError::Raise(rt::err::InvalidProcedureCall, menu);
    }
    return ui::Dialogs::Current().PopupMenu(*popup, posicionGlobal);
}

FrmMenus::Arreglo& FrmMenus::BuscarArreglo(const QString& nombre) {
    const auto found = arreglos_.find(Key(nombre));
    if (found == arreglos_.end()) {
        rt::RuntimeError::Raise(rt::err::InvalidProcedureCall, nombre);
    }
    return *found;
}

const FrmMenus::Arreglo& FrmMenus::BuscarArreglo(const QString& nombre) const {
    return const_cast<FrmMenus*>(this)->BuscarArreglo(nombre);
}

QAction* FrmMenus::CargarElemento(const QString& arreglo, int indice) {
    Arreglo& array = BuscarArreglo(arreglo);
    if (indice < 0) {
        rt::RuntimeError::Raise(rt::err::InvalidProcedureCall, arreglo);
    }
    if (array.elementos.count(indice) != 0) {
        rt::RuntimeError::Raise(rt::err::ObjectAlreadyLoaded, arreglo);
    }
    const QAction& lowest = *array.elementos.begin()->second;
    QMenu* owner = qobject_cast<QMenu*>(lowest.parent());
    Q_ASSERT(owner);

    auto* element = new QAction(lowest.text(), owner);  // owned by its menu
    element->setObjectName(lowest.objectName());
    element->setEnabled(lowest.isEnabled());
    element->setCheckable(lowest.isCheckable());
    element->setChecked(lowest.isChecked());
    element->setData(lowest.data());
    element->setProperty(kIndexProperty, indice);

    // In index order: before the next higher element, or right after the highest one.
    QAction* before = nullptr;
    if (const auto next = array.elementos.upper_bound(indice); next != array.elementos.end()) {
        before = next->second;
    } else {
        const QList<QAction*> actions = owner->actions();
        const auto last = actions.indexOf(array.elementos.rbegin()->second);
        before = last + 1 < actions.size() ? actions[last + 1] : nullptr;
    }
    owner->insertAction(before, element);
    array.elementos.emplace(indice, element);
    Conectar(*element, *array.fila);
    return element;
}

QAction* FrmMenus::AgregarElemento(const QString& arreglo, const QString& caption,
                                   const QString& tag) {
    const int next = BuscarArreglo(arreglo).elementos.rbegin()->first + 1;
    QAction* element = CargarElemento(arreglo, next);
    element->setText(caption);
    SetTag(*element, tag);
    return element;
}

void FrmMenus::DescargarElemento(const QString& arreglo, int indice) {
    Arreglo& array = BuscarArreglo(arreglo);
    if (indice == 0) {
        throw rt::RuntimeError(kDesignElement,
                               QStringLiteral("Can't unload controls created at design time"),
                               arreglo);
    }
    const auto found = array.elementos.find(indice);
    if (found == array.elementos.end()) {
        RaiseMissingElement(arreglo, indice);
    }
    QAction* element = found->second;
    array.elementos.erase(found);
    if (auto* owner = qobject_cast<QMenu*>(element->parent())) {
        owner->removeAction(element);
    }
    // Later, so that an element may be removed from inside its own handler.
    element->deleteLater();
}

QAction* FrmMenus::Elemento(const QString& arreglo, int indice) const {
    const Arreglo& array = BuscarArreglo(arreglo);
    const auto found = array.elementos.find(indice);
    if (found == array.elementos.end()) {
        RaiseMissingElement(arreglo, indice);
    }
    return found->second;
}

QList<int> FrmMenus::Indices(const QString& arreglo) const {
    QList<int> indices;
    for (const auto& [index, element] : BuscarArreglo(arreglo).elementos) {
        indices.append(index);
    }
    return indices;
}

QString FrmMenus::Tag(const QAction& item) {
    return item.data().toString();
}

void FrmMenus::SetTag(QAction& item, const QString& tag) {
    item.setData(tag);
}

int FrmMenus::Index(const QAction& item) {
    return item.property(kIndexProperty).toInt();
}

void FrmMenus::SetChecked(QAction& item, bool checked) {
    item.setCheckable(true);
    item.setChecked(checked);
}

}  // namespace menus
