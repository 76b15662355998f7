#include "cheques/ui/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <vector>

namespace ui {

namespace {

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MsgBoxResult result;
};

std::vector<ButtonChoice> ButtonsFor(int style) {
    switch (style & 0x7) {
        case vbOKCancel:
            return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
        case vbAbortRetryIgnore:
            return {{QMessageBox::Abort, vbAbort},
                    {QMessageBox::Retry, vbRetry},
                    {QMessageBox::Ignore, vbIgnore}};
        case vbYesNoCancel:
            return {{QMessageBox::Yes, vbYes},
                    {QMessageBox::No, vbNo},
                    {QMessageBox::Cancel, vbCancel}};
        case vbYesNo:
            return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
        case vbRetryCancel:
            return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
        default:
            return {{QMessageBox::Ok, vbOK}};
    }
}

// The buttons read as the clerks' own system labels them, whatever the session's language and
// whatever Qt's translation calls them ("Interrumpir", "Ignorar").
QString ButtonText(MsgBoxResult result) {
    switch (result) {
        case vbOK:
            return QStringLiteral("Aceptar");
        case vbCancel:
            return QStringLiteral("Cancelar");
        case vbAbort:
            return QStringLiteral("&Anular");
        case vbRetry:
            return QStringLiteral("&Reintentar");
        case vbIgnore:
            return QStringLiteral("&Omitir");
        case vbYes:
            return QStringLiteral("&Sí");
        case vbNo:
            return QStringLiteral("&No");
    }
    return {};
}

QMessageBox::Icon IconFor(int style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// Quits an event loop when the program hides the watched window. A window the window system
// minimises gets a hide event too, but stays visible to the program: the wait goes on, and the
// window comes back as it was when it is restored.
class HideWatcher : public QObject {
  public:
    explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !static_cast<QWidget*>(watched)->isVisible()) {
            loop_.quit();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QEventLoop& loop_;
};

}  // namespace

int QtDialogs::MsgBox(const QString& prompt, int style, const QString& title) {
    const auto choices = ButtonsFor(style);
    QMessageBox box(IconFor(style), title.isEmpty() ? QApplication::applicationName() : title,
                    prompt);
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) {
        buttons |= c.button;
    }
    box.setStandardButtons(buttons);
    for (const auto& c : choices) {
        box.button(c.button)->setText(ButtonText(c.result));
    }
    const size_t defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    box.setDefaultButton(choices[std::min(defaultIndex, choices.size() - 1)].button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& c : choices) {
        if (c.button == pressed) {
            return c.result;
        }
    }
    // Escape on a box without Cancel: the platform answers with the last button's meaning.
    return (style & 0x7) == vbOKOnly ? vbOK : vbCancel;
}

std::optional<QString> QtDialogs::InputBox(const QString& prompt, const QString& title,
                                           const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

QAction* QtDialogs::PopupMenu(QMenu& menu, const QPoint& globalPos) {
    return menu.exec(globalPos);
}

QSize QtDialogs::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

int QtDialogs::TextWidth(const QFont& font, const QString& text) const {
    return QFontMetrics(font).horizontalAdvance(text);
}

QList<QRect> QtDialogs::ScreenGeometries() const {
    QList<QRect> geometries;
    for (const QScreen* screen : QGuiApplication::screens()) {
        geometries.append(screen->geometry());
    }
    return geometries.isEmpty() ? Dialogs::ScreenGeometries() : geometries;
}

void QtDialogs::ShowModal(QWidget& window) {
    QPointer<QWidget> guard(&window);
    QEventLoop loop;
    HideWatcher watcher(loop);
    const Qt::WindowModality previous = window.windowModality();
    window.setWindowModality(Qt::ApplicationModal);
    window.installEventFilter(&watcher);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.show();
    window.raise();
    window.activateWindow();
    if (window.isVisible()) {
        loop.exec();
    }
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(previous);
    }
}

}  // namespace ui

namespace {

ui::Dialogs& QtDefault() {
    static ui::QtDialogs qtDialogs;
    return qtDialogs;
}

}  // namespace

// The Qt dialogs are the default of every program that links this library. The library's link
// options name this flag, so that the linker keeps the registration although nothing reads it.
extern "C" {
extern const bool cheques_ui_qt_dialogs_default;
const bool cheques_ui_qt_dialogs_default = ui::Dialogs::SetDefault(&QtDefault);
}
