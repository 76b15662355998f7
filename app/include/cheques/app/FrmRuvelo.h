#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;

namespace app {

class ListView;

// "Consulta de Cheques": the cheques in portfolio due to be credited today. The program's only
// visible window, shared through rt::DefaultInstance<app::FrmRuvelo>. It remembers its place
// in "CN000pr.INI", offers the cheque popup menu of the shared menus::FrmMenus on a right
// click in the list, and releases its shared instance when it is closed.
class FrmRuvelo : public QWidget {
    Q_OBJECT

  public:
    FrmRuvelo();
    ~FrmRuvelo() override;

    // Lists the cheques of a date. In this program the list is never filled: it does nothing,
    // touching neither the list nor HayDatos, and always succeeds.
    void CargarChequesEnCartera(QString& Fecha, bool* HayDatos = nullptr);

    // Empties the list and gives it its six columns, each as wide as a number of letters "X"
    // in the window's font.
    void Encolumnar();

    // The controls, by their design names (also their objectNames).
    QLabel* Label1() const { return label1_; }
    QPushButton* CmdRefresh() const { return cmdRefresh_; }
    ListView* ListView1() const { return listView1_; }
    // The two 32 x 32 icons of the list.
    const QList<QIcon>& ImageList1() const { return imageList1_; }

    // Whether the answer read after the last cheque popup menu was "Depositar" (ignoring case).
    // Nothing acts on it.
    bool EligioDepositar() const { return eligioDepositar_; }

    // Where the position is kept.
    static const QString kArchivoIni;
    static const QString kSeccion;

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void Form_Unload();
    void CmdRefresh_Click();
    void ListView1_BeforeLabelEdit(bool& Cancel);
    void ListView1_AfterLabelEdit(bool& Cancel, QString& NewString);
    void ListView1_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                             const QPoint& globalPosition);

    void Disenar();
    void Liberar();
    // The size of the window with its frame.
    QSize TamanoExterior() const;
    // The first-start place: the bottom-right corner of the screen, 360 twips in from its edges.
    QPoint Esquina() const;
    // Whether a window frame at this place would show on some screen.
    bool EnAlgunaPantalla(const QRect& window) const;
    // Moves the window to a restored place (the first-start corner when that place shows on no
    // screen).
    void Colocar(QPoint place);
    // Applies a coordinate that waited for the system to place the window.
    void ColocarPendiente();

    QLabel* label1_ = nullptr;
    QPushButton* cmdRefresh_ = nullptr;
    ListView* listView1_ = nullptr;
    QList<QIcon> imageList1_;
    bool eligioDepositar_ = false;
    // Whether the window sits in the first-start corner, computed before its frame was known.
    bool corregirEsquina_ = false;
    QSize exteriorAlCargar_;
    // The stored coordinates, in pixels, when only one of them could be read: it is applied
    // once the system has placed the window, which keeps the system's other coordinate.
    struct Pendiente {
        std::optional<int> top;
        std::optional<int> left;
    };
    std::optional<Pendiente> pendiente_;
    bool mostrada_ = false;  // shown at least once: a move now comes from the system
};

}  // namespace app
