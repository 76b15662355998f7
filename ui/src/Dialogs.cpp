#include "cheques/ui/Dialogs.h"

#include "cheques/ui/UnattendedDialogs.h"

namespace ui {

namespace {

Dialogs*& Installed() {
    static Dialogs* installed = nullptr;
    return installed;
}

Dialogs& Unattended() {
    static UnattendedDialogs unattended;
    return unattended;
}

using Factory = Dialogs& (*)();

Factory& DefaultFactory() {
    static Factory factory = &Unattended;
    return factory;
}

}  // namespace

QList<QRect> Dialogs::ScreenGeometries() const {
    return {QRect(QPoint(0, 0), ScreenSize())};
}

Dialogs& Dialogs::Current() {
    Dialogs* installed = Installed();
    return installed ? *installed : DefaultFactory()();
}

Dialogs* Dialogs::Install(Dialogs* dialogs) {
    Dialogs* previous = Installed();
    Installed() = dialogs;
    return previous;
}

bool Dialogs::SetDefault(Dialogs& (*factory)()) {
    DefaultFactory() = factory;
    return true;
}

int MsgBox(const QString& prompt, int style, const QString& title) {
    return Dialogs::Current().MsgBox(prompt, style, title);
}

int NegativeAnswer(int style) {
    switch (style & 7) {
        case vbOKCancel:
        case vbYesNoCancel:
        case vbRetryCancel:
            return vbCancel;
        case vbAbortRetryIgnore:
            return vbAbort;
        case vbYesNo:
            return vbNo;
        default:
            return vbOK;
    }
}

}  // namespace ui
