#pragma once

#include <QString>
#include <cstdio>

#include "cheques/ui/Dialogs.h"

namespace tools {

// A box or prompt as a console writes it: "[KIND] TITLE", a line break, the text, a line break.
// Line breaks written as CR or CR LF (as a window shows them) become line feeds, since on a
// console a CR sends the cursor back over the line.
QString ConsoleText(const QString& kind, const QString& title, const QString& text);

// Dialogs for a console program: every message box and prompt is written to standard error
// with its title, and answered with its negative choice (No, Cancel, Abort); no window is ever
// shown. It remembers whether any box appeared, since in the tool every box reports a failure.
// Given other dialogs for windows, modal windows and input prompts (and the screen metrics
// windows are placed with) go to those instead: a window shown there is no failure.
class ConsoleDialogs : public ui::Dialogs {
  public:
    explicit ConsoleDialogs(std::FILE* out = stderr, ui::Dialogs* windows = nullptr)
        : out_(out), windows_(windows) {}

    int MsgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override;
    void ShowModal(QWidget& window) override;
    QSize ScreenSize() const override;
    QList<QRect> ScreenGeometries() const override;
    int TextWidth(const QFont& font, const QString& text) const override;

    int BoxCount() const { return boxes_; }

  private:
    void Print(const QString& kind, const QString& title, const QString& text) const;

    std::FILE* out_;
    ui::Dialogs* windows_;
    int boxes_ = 0;
};

}  // namespace tools
