#pragma once

#include "cheques/ui/Dialogs.h"

namespace ui {

// The dialogs of a program without windows: nobody is there to answer. Every message box is
// written to the log ("cheques.ui") and answered with its negative choice, prompts are
// cancelled, popup menus choose nothing and modal windows return at once without being shown.
// The screen is 1024 x 768 and every character 8 pixels wide.
class UnattendedDialogs : public Dialogs {
  public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override;
    void ShowModal(QWidget& window) override;
    QSize ScreenSize() const override;
    int TextWidth(const QFont& font, const QString& text) const override;
};

}  // namespace ui
