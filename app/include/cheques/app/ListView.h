#pragma once

#include <QPoint>
#include <QString>
#include <QTreeWidget>

namespace app {

// A list in report view with the events of the common-controls list view: the label edit of
// an item's text can be refused when it starts and when it ends, and a mouse button pressed on
// the list is announced with the button, the modifier keys and the position.
class ListView : public QTreeWidget {
    Q_OBJECT

  public:
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

  signals:
    // An item's text is about to be edited in place; setting Cancel refuses the edit.
    void BeforeLabelEdit(bool& Cancel);
    // The edit ended with NewString; setting Cancel discards it and keeps the old text.
    void AfterLabelEdit(bool& Cancel, QString& NewString);
    // A mouse button was pressed on the list (position in the list's and in global pixels).
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint position,
                   QPoint globalPosition);

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    bool WouldStartEditing(const QModelIndex& index, EditTrigger trigger) const;
};

}  // namespace app
