#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <utility>

class QCompleter;

// Pieces of design shared by the lookup windows.
namespace lookup::controles {

// The tool tip of a search box.
inline const QString kTooltipBusqueda = QStringLiteral("F5 realiza nueva busqueda");

// What a screen reader calls a search box without a column, and the list and the tree.
inline const QString kNombreBusqueda = QStringLiteral("Búsqueda");
inline const QString kNombreLista = QStringLiteral("Resultados de la consulta");
inline const QString kNombreArbol = QStringLiteral("Árbol de la consulta");

// Creates a widget owned by its parent.
template <class W, class... Args>
W* Hijo(QWidget* parent, Args&&... args) {
    auto widget = std::make_unique<W>(std::forward<Args>(args)..., parent);
    return widget.release();
}

// Makes a search box editable through a line edit of its own: setEditable would build the
// drop-down list's popup at once, which the box builds anyway the first time the list is opened.
// A box also makes its completion as it takes a line edit without one, which costs more than the
// rest of the box: given a stand-in, lent for that moment, it makes none, and Completar makes it
// when it is needed.
void HacerEditable(QComboBox& caja, QCompleter* sustituto = nullptr);

// The completion an editable box makes for itself, unless it has one: what is typed is completed
// in place from the box's list, ignoring case.
void Completar(QComboBox& caja);

// A button with its design name (its objectName) and caption.
QPushButton* Boton(QWidget* parent, const char* nombre, const QString& caption);

// The buttons of Frame1 in a row as designed, each widened to its caption when the font asks for
// more, and the bar as wide as they need.
void ColocarBotones(QWidget& barra, std::initializer_list<QPushButton*> botones);

// Puts a window in the middle of the screen, keeping its top left corner on it.
void Centrar(QWidget& ventana);

}  // namespace lookup::controles
