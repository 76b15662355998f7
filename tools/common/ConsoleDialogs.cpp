#include "ConsoleDialogs.h"

#include <QWidget>

namespace tools {

namespace {

QString WithLineFeeds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

QString ConsoleText(const QString& kind, const QString& title, const QString& text) {
    return QStringLiteral("[%1] %2\n%3\n").arg(kind, WithLineFeeds(title), WithLineFeeds(text));
}

void ConsoleDialogs::Print(const QString& kind, const QString& title, const QString& text) const {
    std::fputs(ConsoleText(kind, title, text).toUtf8().constData(), out_);
    std::fflush(out_);
}

int ConsoleDialogs::MsgBox(const QString& prompt, int style, const QString& title) {
    ++boxes_;
    Print(QStringLiteral("box"), title, prompt);
    return ui::NegativeAnswer(style);
}

std::optional<QString> ConsoleDialogs::InputBox(const QString& prompt, const QString& title,
                                                const QString& defaultText) {
    // A tool with windows asks in one, as "Control de Acceso" does: no failure.
    if (windows_ != nullptr) {
        return windows_->InputBox(prompt, title, defaultText);
    }
    ++boxes_;
    Print(QStringLiteral("prompt"), title, prompt);
    return std::nullopt;
}

QAction* ConsoleDialogs::PopupMenu(QMenu&, const QPoint&) {
    return nullptr;
}

void ConsoleDialogs::ShowModal(QWidget& window) {
    if (windows_ != nullptr) {
        windows_->ShowModal(window);
        return;
    }
    ++boxes_;
    Print(QStringLiteral("window"), window.windowTitle(), QStringLiteral("(not shown)"));
    window.hide();
}

QSize ConsoleDialogs::ScreenSize() const {
    return windows_ != nullptr ? windows_->ScreenSize() : QSize(1024, 768);
}

QList<QRect> ConsoleDialogs::ScreenGeometries() const {
    return windows_ != nullptr ? windows_->ScreenGeometries() : ui::Dialogs::ScreenGeometries();
}

int ConsoleDialogs::TextWidth(const QFont& font, const QString& text) const {
    if (windows_ != nullptr) {
        return windows_->TextWidth(font, text);
    }
    return static_cast<int>(text.size()) * 8;
}

}  // namespace tools
