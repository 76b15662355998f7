#pragma once

#include <QHash>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <map>

class QAction;
class QMenu;

namespace menus {

struct FilaCatalogo;

/// The hidden window that owns the popup menus of the program family. A caller pops one of
/// them up (Mostrar, or ui::Dialogs::Current().PopupMenu on Menu(name)) and, once it has
/// closed, reads the chosen item's answer in PRespuesta.
//
/// Every popup menu and submenu is a QMenu and every item a QAction whose objectName is its
/// name; both are found by name, ignoring case, with Menu and Item. Separators are named
/// "`<menu>`_Separador`<n>`", counting from 1 within their menu. The host is shared through
/// `rt::DefaultInstance<menus::FrmMenus>` and is never shown.
class FrmMenus : public QWidget {
    Q_OBJECT

  public:
    /// Loads the host: builds every popup menu of the family's catalogue, hidden, with
    /// PRespuesta empty.
    explicit FrmMenus(QWidget* parent = nullptr);
    /// Unloads the host and its menus.
    ~FrmMenus() override;

    /// The answer of the last chosen item; "" when the host is loaded. Only loading and the
    /// items whose answer is "" clear it; showing or dismissing a menu leaves it alone.
    QString PRespuesta;

    /// Hides the host; some items call it after setting their answer.
    void Salir();

    /// A popup menu or submenu by name; nullptr when there is none.
    QMenu* Menu(const QString& nombre) const;
    /// An item (command, submenu, separator, or element 0 of an item array) by name; nullptr
    /// when there is none.
    QAction* Item(const QString& nombre) const;

    /// Pops a menu up at a global position through the dialog seam and waits until it closes.
    /// Returns the chosen item, whose handler has run, or nullptr when the menu was dismissed.
    /// An unknown menu raises "invalid procedure call" (5).
    QAction* Mostrar(const QString& menu, const QPoint& posicionGlobal);

    // Item arrays: elements share the array's name and are told apart by their index; the
    // design element has index 0. Unknown arrays raise "invalid procedure call" (5).

    /// Loads element indice (as its array's Load): a copy of the lowest element (caption,
    /// enabled state, check mark and tag), visible, placed in index order. An index already
    /// loaded raises "object already loaded" (360); a negative one raises 5.
    QAction* CargarElemento(const QString& arreglo, int indice);
    /// Loads the element after the highest one and gives it a caption and a tag.
    QAction* AgregarElemento(const QString& arreglo, const QString& caption,
                             const QString& tag = {});
    /// Removes a loaded element; element 0 cannot be removed (error 362), a missing one raises
    /// error 340.
    void DescargarElemento(const QString& arreglo, int indice);
    /// An element by index; a missing one raises error 340.
    QAction* Elemento(const QString& arreglo, int indice) const;
    /// The indices of the loaded elements, in order.
    QList<int> Indices(const QString& arreglo) const;

    /// An item's tag: a free text, "" when none was given.
    static QString Tag(const QAction& item);
    /// Gives an item its tag.
    static void SetTag(QAction& item, const QString& tag);
    /// An item's index in its item array (0 for the design element and any other item).
    static int Index(const QAction& item);
    /// Sets or clears an item's check mark (any item can carry one).
    static void SetChecked(QAction& item, bool checked);

  private:
    struct Arreglo {
        const FilaCatalogo* fila;
        std::map<int, QAction*> elementos;
    };

    void Construir();
    void Conectar(QAction& item, const FilaCatalogo& fila);
    void Elegido(QAction& item, const FilaCatalogo& fila, bool checkedNow);
    Arreglo& BuscarArreglo(const QString& nombre);
    const Arreglo& BuscarArreglo(const QString& nombre) const;

    QHash<QString, QMenu*> menus_;
    QHash<QString, QAction*> items_;
    QHash<QString, Arreglo> arreglos_;
};

}  // namespace menus
