#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QAction;
class QFont;
class QMenu;
class QWidget;

namespace ui {

// Message box styles, combined with |, with the platform's values.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// The button a message box answers with.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

// Every interaction that waits for the user goes through the current Dialogs: message boxes,
// input prompts, popup menus and modal windows. Screen metrics come from here too. The seam
// needs Qt Core only, so that libraries without windows can ask the user; the Qt
// implementation (QtDialogs, library ui) is the default of every program that links it, and
// tests and command-line tools install their own.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Shows a message box and returns the button pressed (MsgBoxResult).
    virtual int MsgBox(const QString& prompt, int style, const QString& title) = 0;

    // Asks for a line of text; nothing when the user cancels.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;

    // Pops the menu up at a global position and waits until it closes. When the user chose an
    // item, that item has been triggered (its handler has run) and is returned.
    virtual QAction* PopupMenu(QMenu& menu, const QPoint& globalPos) = 0;

    // Shows a window modally and returns once it has been hidden.
    virtual void ShowModal(QWidget& window) = 0;

    // The size of the whole primary screen, in pixels.
    virtual QSize ScreenSize() const = 0;

    // Where every screen lies on the desktop, in pixels; by default only the primary screen,
    // of ScreenSize() at the origin.
    virtual QList<QRect> ScreenGeometries() const;

    // The rendered width of a text in a font, in pixels.
    virtual int TextWidth(const QFont& font, const QString& text) const = 0;

    // The installed implementation; without one, the program's default: the Qt dialogs in a
    // program that links them, UnattendedDialogs in one that does not.
    static Dialogs& Current();

    // Installs an implementation, or the default again with nullptr; returns the previous one.
    static Dialogs* Install(Dialogs* dialogs);

    // Makes what the factory returns the default. The Qt dialogs call it as the program starts.
    static bool SetDefault(Dialogs& (*factory)());
};

// Installs a Dialogs implementation for its own lifetime.
class ScopedDialogs {
  public:
    explicit ScopedDialogs(Dialogs& dialogs) : previous_(Dialogs::Install(&dialogs)) {}
    ~ScopedDialogs() { Dialogs::Install(previous_); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

  private:
    Dialogs* previous_;
};

// Shortcuts on the current Dialogs.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {});

// The answer of a box of the given style that nobody pressed: its negative choice (No, Cancel,
// Abort; OK for a box with OK alone).
int NegativeAnswer(int style);

}  // namespace ui
