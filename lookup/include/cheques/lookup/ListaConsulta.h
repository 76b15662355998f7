#pragma once

#include <QTableView>

namespace lookup {

class ModeloConsulta;

// The list of a list window (ListView1): a report of rows over a ModeloConsulta, with column
// headers, one selected row, check boxes when the model has them, uniform row heights and no
// in-place editing. It is a table without grid or row headers: a table view lays out no row
// ahead of showing it, so a list of 100,000 rows costs only the rows in view. Every key press is
// announced first with the platform's key code and shift state; a handler that sets the code to 0
// consumes the key. Of the rest, the list itself only moves with the navigation keys, ticks the
// selected row with Space when rows carry check boxes, and leaves Escape to the window. Typing does
// not search the list by itself.
class ListaConsulta : public QTableView {
    Q_OBJECT

  public:
    explicit ListaConsulta(QWidget* parent = nullptr);
    ~ListaConsulta() override;

    ModeloConsulta& Modelo() const { return *modelo_; }
    // The column headers.
    QHeaderView* header() const { return horizontalHeader(); }

    // The selected row (in the shown order, from 0), or -1.
    int FilaSeleccionada() const;
    // Selects a row, makes it current and scrolls it into view.
    void Seleccionar(int fila);
    // The pixels a cell keeps beside its text: the style's margins, and the check box's room
    // when the cell carries one.
    int MargenDeCelda(bool conCasilla) const;

  signals:
    void KeyDown(int& KeyCode, int Shift);
    void DblClick();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString& search) override;
    // Home and End go to the first and the last row, as in a list.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

  private:
    void AlternarMarca();

    ModeloConsulta* modelo_;
};

}  // namespace lookup
