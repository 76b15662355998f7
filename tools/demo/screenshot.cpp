#include <QApplication>
#include <QPixmap>
#include <QTextStream>
#include <QWidget>
#include <cstdio>

#include "ConsultaTool.h"
#include "ui/QtDialogs.h"

namespace {

// The Qt dialogs, except that the first modal window is photographed as soon as it has been
// laid out, and then hidden: the request ends as if the clerk had cancelled.
class Photographer : public ui::QtDialogs {
  public:
    explicit Photographer(QString file) : file_(std::move(file)) {}

    bool Saved() const { return saved_; }

    void ShowModal(QWidget& window) override {
        window.show();
        QCoreApplication::processEvents();
        saved_ = window.grab().save(file_);
        window.hide();
    }

  private:
    QString file_;
    bool saved_ = false;
};

}  // namespace

// Takes the picture of a lookup window for the documentation: consulta's request with the
// arguments after the picture's file name, on Qt's offscreen platform.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vexilo"));
    QApplication::setApplicationName(QStringLiteral("consulta"));
    QStringList args = QApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: screenshot PICTURE.png CONSULTA-ARGUMENTS...\n";
        return 2;
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
