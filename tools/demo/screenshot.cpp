#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "ConsultaTool.h"
#include "cheques/app/FrmRuvelo.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/ui/Aplicacion.h"
#include "cheques/ui/QtDialogs.h"

namespace {

// The Qt dialogs, except that the first window that comes up, the lookup window or a message
// box, is photographed as soon as it has been laid out and then closed: the request ends as if
// the clerk had cancelled, or had answered the box with its way out.
class Photographer : public ui::QtDialogs {
  public:
    explicit Photographer(QString file) : file_(std::move(file)) {}

    bool Saved() const { return saved_; }

    void ShowModal(QWidget& window) override {
        window.show();
        QCoreApplication::processEvents();
        Photograph(window);
        window.hide();
    }

    int MsgBox(const QString& prompt, int style, const QString& title) override {
        QTimer::singleShot(0, [this] {
            if (const QPointer<QWidget> box = QApplication::activeModalWidget()) {
                Photograph(*box);
                QMetaObject::invokeMethod(box, "reject");
            }
        });
        return QtDialogs::MsgBox(prompt, style, title);
    }

  private:
    void Photograph(QWidget& window) {
        if (!saved_) {
            saved_ = window.grab().save(file_);
        }
    }

    QString file_;
    bool saved_ = false;
};

}  // namespace

// The cheque window as the program opens it.
int FotografiarCheques(const QString& file) {
    app::FrmRuvelo& ventana = rt::DefaultInstance<app::FrmRuvelo>::Get();
    ventana.show();
    QCoreApplication::processEvents();
    const bool saved = ventana.grab().save(file);
    rt::DefaultInstance<app::FrmRuvelo>::Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return saved ? 0 : 1;
}

// Takes the picture of a lookup window, or of the first message box it shows, for the
// documentation: consulta's request with the arguments after the picture's file name, on Qt's
// offscreen platform; with --cheques, of the cheque window.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const ui::Aplicacion aplicacion;
    QApplication::setOrganizationName(QStringLiteral("Vexilo"));
    QApplication::setApplicationName(QStringLiteral("consulta"));
    QStringList args = QApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: screenshot PICTURE.png (CONSULTA-ARGUMENTS... | --cheques)\n";
        return 2;
    }
    if (args[2] == QLatin1String("--cheques")) {
        return FotografiarCheques(args[1]);
    }
    Photographer photographer(args[1]);
    const ui::ScopedDialogs installed(photographer);
    QTextStream out(stdout);
    tools::RunConsulta(args.mid(2), out, err);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!photographer.Saved()) {
        err << "screenshot: no window was photographed\n";
        return 1;
    }
    return 0;
}
