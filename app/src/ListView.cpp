#include "cheques/app/ListView.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace app {

namespace {

// Hands the text typed into an item to the list's AfterLabelEdit before it is stored.
class LabelDelegate : public QStyledItemDelegate {
  public:
    explicit LabelDelegate(ListView& list) : QStyledItemDelegate(&list), list_(list) {}

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        QString text = line->text();
        bool cancel = false;
        emit list_.AfterLabelEdit(cancel, text);
        if (!cancel) {
            model->setData(index, text, Qt::EditRole);
        }
    }

  private:
    ListView& list_;
};

}  // namespace

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setEditTriggers(SelectedClicked | EditKeyPressed);
    setItemDelegate(new LabelDelegate(*this));  // owned by the list
}

ListView::~ListView() = default;

bool ListView::WouldStartEditing(const QModelIndex& index, EditTrigger trigger) const {
    if (!index.isValid() || state() == EditingState || trigger == NoEditTriggers) {
        return false;
    }
    const Qt::ItemFlags flags = model()->flags(index);
    if (!(flags & Qt::ItemIsEditable) || !(flags & Qt::ItemIsEnabled)) {
        return false;
    }
    if (trigger == AllEditTriggers) {
        return true;
    }
    if (!(editTriggers() & trigger)) {
        return false;
    }
    return trigger != SelectedClicked || selectionModel()->isSelected(index);
}

bool ListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!WouldStartEditing(index, trigger)) {
        return QTreeWidget::edit(index, trigger, event);
    }
    // Only an item's own text is edited in place; its sub-items are not.
    if (index.column() != 0) {
        return false;
    }
    bool cancel = false;
    emit BeforeLabelEdit(cancel);
    return !cancel && QTreeWidget::edit(index, trigger, event);
}

void ListView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint(),
                   event->globalPosition().toPoint());
}

}  // namespace app
