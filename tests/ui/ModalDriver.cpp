#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

constexpr int kAttempts = 200;  // 10 ms apart: two seconds for the window to come up

// Notes whether the watched window is shown again (a menu popped up a second time).
class ShownAgain : public QObject {
  public:
    explicit ShownAgain(QWidget& window) : QObject(&window) { window.installEventFilter(this); }
    bool shown = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        shown = shown || event->type() == QEvent::Show;
        return QObject::eventFilter(watched, event);
    }
};

void Attempt(const ModalDriver::Action& action, const ModalDriver::Finder& find, int left) {
    QWidget* window = find();
    if (window == nullptr || !window->isVisible()) {
        if (left == 0) {
            ADD_FAILURE() << "the modal window never came up";
            return;
        }
        QTimer::singleShot(10, [=] { Attempt(action, find, left - 1); });
        return;
    }
    action(*window);
    // A window the action left up is closed, so that the call under test returns.
    QTimer::singleShot(0, [acted = QPointer<QWidget>(window),
                           again = QPointer<ShownAgain>(new ShownAgain(*window))] {
        if (acted && acted->isVisible() && again && !again->shown) {
            ADD_FAILURE() << "the modal window was still up after the action";
            acted->close();
        }
        if (again) {
            again->deleteLater();
        }
    });
}

}  // namespace
QWidget* ModalDriver::ActiveModal() {
    return QApplication::activeModalWidget();
}

QWidget* ModalDriver::ActivePopup() {
    return QApplication::activePopupWidget();
}

void ModalDriver::Then(Action action, Finder find) {
    QTimer::singleShot(0, [action = std::move(action), find = std::move(find)] {
        Attempt(action, find, kAttempts);
    });
}
