#include "ScriptedDialogs.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QWidget>

ScriptedDialogs::ScriptedDialogs() : previous_(ui::Dialogs::Install(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    ui::Dialogs::Install(previous_);
}

void ScriptedDialogs::AnswerBoxes(std::initializer_list<int> answers) {
    boxAnswers_.insert(boxAnswers_.end(), answers);
}

void ScriptedDialogs::AnswerPrompts(std::initializer_list<std::optional<QString>> answers) {
    promptAnswers_.insert(promptAnswers_.end(), answers);
}

void ScriptedDialogs::ChoosePopupItems(std::initializer_list<QString> names) {
    popupChoices_.insert(popupChoices_.end(), names);
}

void ScriptedDialogs::OnModal(std::function<void(QWidget&)> script) {
    modalScripts_.push_back(std::move(script));
}

int ScriptedDialogs::MsgBox(const QString& prompt, int style, const QString& title) {
    boxes.push_back({prompt, style, title});
    if (boxAnswers_.empty()) {
        return defaultAnswer;
    }
    const int answer = boxAnswers_.front();
    boxAnswers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::InputBox(const QString& prompt, const QString&,
                                                 const QString&) {
    prompts.push_back(prompt);
    if (promptAnswers_.empty()) {
        return std::nullopt;
    }
    std::optional<QString> answer;
    answer.swap(promptAnswers_.front());
    promptAnswers_.pop_front();
    return answer;
}

namespace {

QAction* FindAction(QMenu& menu, const QString& name) {
    for (QAction* action : menu.actions()) {
        if (action->objectName() == name) {
            return action;
        }
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindAction(*sub, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

}  // namespace

QAction* ScriptedDialogs::PopupMenu(QMenu& menu, const QPoint& globalPos) {
    shownMenus.push_back(menu.objectName());
    popupPositions.push_back(globalPos);
    if (popupChoices_.empty()) {
        return nullptr;
    }
    const QString name = popupChoices_.front();
    popupChoices_.pop_front();
    if (name.isEmpty()) {
        return nullptr;
    }
    QAction* action = FindAction(menu, name);
    if (!action) {
        ADD_FAILURE() << "popup menu " << menu.objectName().toStdString() << " has no item "
                      << name.toStdString();
        return nullptr;
    }
    action->trigger();
    return action;
}

void ScriptedDialogs::ShowModal(QWidget& window) {
    ++modalCount;
    window.show();
    if (!modalScripts_.empty()) {
        auto script = std::move(modalScripts_.front());
        modalScripts_.pop_front();
        script(window);
    }
    window.hide();
}

int ScriptedDialogs::TextWidth(const QFont& font, const QString& text) const {
    return QFontMetrics(font).horizontalAdvance(text);
}
