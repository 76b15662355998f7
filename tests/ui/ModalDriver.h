#pragma once

#include <QWidget>
#include <functional>

// Drives a modal window or popup from inside its own event loop: once the window that `find`
// returns is up, the action runs on it. The test never hangs: a window that does not appear
// fails the test, and a window still up after the action is closed.
class ModalDriver {
  public:
    using Finder = std::function<QWidget*()>;
    using Action = std::function<void(QWidget&)>;

    // The active modal window (message boxes, prompts, modal windows).
    static QWidget* ActiveModal();
    // The open popup menu.
    static QWidget* ActivePopup();

    // Schedules the action; call it just before the call that opens the window.
    static void Then(Action action, Finder find = ActiveModal);
};
