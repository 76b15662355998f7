#include "ui/Dialogs.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include "ui/QtDialogs.h"

namespace ui {

namespace {

Dialogs*& Installed() {
    static Dialogs* installed = nullptr;
    return installed;
}

}  // namespace

QSize Dialogs::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QList<QRect> Dialogs::ScreenGeometries() const {
    return {QRect(QPoint(0, 0), ScreenSize())};
}

int Dialogs::TextWidth(const QFont& font, const QString& text) const {
    return QFontMetrics(font).horizontalAdvance(text);
}

Dialogs& Dialogs::Current() {
    static QtDialogs qtDialogs;
    Dialogs* installed = Installed();
    return installed ? *installed : qtDialogs;
}

Dialogs* Dialogs::Install(Dialogs* dialogs) {
    Dialogs* previous = Installed();
    Installed() = dialogs;
    return previous;
}

int MsgBox(const QString& prompt, int style, const QString& title) {
    return Dialogs::Current().MsgBox(prompt, style, title);
}

}  // namespace ui
