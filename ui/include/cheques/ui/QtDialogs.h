#pragma once

#include "cheques/ui/Dialogs.h"

namespace ui {

// Real dialogs on the running Qt application.
class QtDialogs : public Dialogs {
  public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override;
    void ShowModal(QWidget& window) override;
    // The primary screen (1024 x 768 when there is none).
    QSize ScreenSize() const override;
    // Every screen of the desktop.
    QList<QRect> ScreenGeometries() const override;
    int TextWidth(const QFont& font, const QString& text) const override;
};

}  // namespace ui
