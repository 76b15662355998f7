#include "cheques/ui/UnattendedDialogs.h"

#include <QLoggingCategory>

namespace ui {

namespace {

Q_LOGGING_CATEGORY(lcUi, "cheques.ui")

}  // namespace

int UnattendedDialogs::MsgBox(const QString& prompt, int style, const QString& title) {
    const int answer = NegativeAnswer(style);
    qCWarning(lcUi).noquote() << "message box answered" << answer << "with nobody to ask:" << title
                              << prompt;
    return answer;
}

std::optional<QString> UnattendedDialogs::InputBox(const QString& prompt, const QString& title,
                                                   const QString&) {
    qCWarning(lcUi).noquote() << "prompt cancelled with nobody to ask:" << title << prompt;
    return std::nullopt;
}

QAction* UnattendedDialogs::PopupMenu(QMenu&, const QPoint&) {
    return nullptr;
}

void UnattendedDialogs::ShowModal(QWidget&) {}

QSize UnattendedDialogs::ScreenSize() const {
    return {1024, 768};
}

int UnattendedDialogs::TextWidth(const QFont&, const QString& text) const {
    return static_cast<int>(text.size()) * 8;
}

}  // namespace ui
