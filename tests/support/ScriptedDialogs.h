#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "cheques/ui/Dialogs.h"

class QWidget;

// A Dialogs double for tests: records every message box and prompt, answers from scripts, and
// never blocks. It installs itself for its own lifetime.
class ScriptedDialogs : public ui::Dialogs {
  public:
    struct Box {
        QString prompt;
        int style;
        QString title;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers for the next message boxes, in order; without one a box answers defaultAnswer.
    void AnswerBoxes(std::initializer_list<int> answers);
    int defaultAnswer = ui::vbOK;

    // Answers for the next input prompts (nothing means Cancel).
    void AnswerPrompts(std::initializer_list<std::optional<QString>> answers);

    // Items to choose in the next popup menus, by object name; "" dismisses the menu.
    void ChoosePopupItems(std::initializer_list<QString> names);

    // What to do with the next modal windows; without a script a modal window is just hidden.
    void OnModal(std::function<void(QWidget&)> script);

    // Screen size reported to the program, in pixels.
    QSize screen{1280, 1024};

    std::vector<Box> boxes;
    std::vector<QString> prompts;
    std::vector<QString> shownMenus;  // object names of the menus popped up
    std::vector<QPoint> popupPositions;
    int modalCount = 0;

    int MsgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) override;
    void ShowModal(QWidget& window) override;
    QSize ScreenSize() const override { return screen; }
    // Measured in the font, as on screen.
    int TextWidth(const QFont& font, const QString& text) const override;

  private:
    std::deque<int> boxAnswers_;
    std::deque<std::optional<QString>> promptAnswers_;
    std::deque<QString> popupChoices_;
    std::deque<std::function<void(QWidget&)>> modalScripts_;
    ui::Dialogs* previous_;
};
