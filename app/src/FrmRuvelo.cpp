#include "cheques/app/FrmRuvelo.h"

#include <QCloseEvent>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <cfloat>
#include <cmath>

#include "cheque.xpm"
#include "cheques/app/ListView.h"
#include "cheques/app/Programa.h"
#include "cheques/menus/FrmMenus.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/ui/Twips.h"
#include "cheques/vexilo/VexIni.h"
#include "deposito.xpm"

namespace app {

const QString FrmRuvelo::kArchivoIni = QStringLiteral("CN000pr.INI");
const QString FrmRuvelo::kSeccion = QStringLiteral("FrmChequesEnCartera");

namespace {

const QString kTop = QStringLiteral("Top");
const QString kLeft = QStringLiteral("Left");
constexpr float kMargen = 360;  // twips between the first-start place and the screen edges

struct Columna {
    const char* caption;
    int letras;  // the width, in letters "X" of the window's font
};
constexpr Columna kColumnas[] = {
    {"Fecha", 12},       {"Banco", 20},   {"Numero", 20},
    {"Vencimiento", 12}, {"Importe", 12}, {"Cuenta Origen", 15},
};

vexilo::VexIni& Ini() {
    return rt::DefaultInstance<vexilo::VexIni>::Get();
}

// A stored coordinate, read as a single-precision number in the user's regional format.
float Single(const QString& text) {
    const auto value = rt::text::TextToNumber(text);
    if (!value) {
        rt::RuntimeError::Raise(rt::err::TypeMismatch);
    }
    if (!std::isfinite(*value) || std::fabs(*value) > FLT_MAX) {
        rt::RuntimeError::Raise(rt::err::Overflow);
    }
    return static_cast<float>(*value);
}

// A coordinate in twips as pixels; one far beyond any desktop is refused.
int Pixels(float twips) {
    const double pixels = twips / ui::twips::PerPixel();
    if (std::fabs(pixels) > 1e7) {
        rt::RuntimeError::Raise(rt::err::Overflow);
    }
    return ui::twips::ToPixels(twips);
}

float Twips(int pixels) {
    return static_cast<float>(ui::twips::FromPixels(pixels));
}

// The two icons of the list, 32 x 32 in the sixteen colours: a cheque, and a deposit slip with
// a coin. The images are XPM files, which are C source and which Qt reads without a plug-in.
QIcon Icono(bool esCheque) {
    return QIcon(QPixmap(esCheque ? cheque : deposito));
}

}  // namespace

FrmRuvelo::FrmRuvelo() {
    Disenar();
    Form_Load();
}

FrmRuvelo::~FrmRuvelo() = default;

void FrmRuvelo::Disenar() {
    using ui::twips::ToPixels;
    setObjectName(QStringLiteral("FrmRuvelo"));
    setWindowTitle(QStringLiteral("Consulta de Cheques"));
    // A fixed-size tool window: small caption, a close button, no minimise or maximise.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ToPixels(7395), ToPixels(3435));

    imageList1_ = {Icono(true), Icono(false)};

    // Created in tab order: the list first, so that it has the focus when the window opens.
    listView1_ = new ListView(this);
    listView1_->setObjectName(QStringLiteral("ListView1"));
    listView1_->setGeometry(ui::twips::ToPixels(0, 360, 7335, 3015));
    listView1_->setColumnCount(0);
    listView1_->setIconSize(QSize(32, 32));
    listView1_->setAllColumnsShowFocus(true);

    label1_ = new QLabel(QStringLiteral("Cheques pendientes de Acreditarse para HOY"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(ui::twips::ToPixels(0, 0, 5895, 255));
    label1_->setAutoFillBackground(true);
    QPalette palette = label1_->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 255));
    label1_->setPalette(palette);
    QFont banner(QStringLiteral("Times New Roman"));
    banner.setPointSizeF(9.75);
    banner.setWeight(QFont::Bold);
    banner.setItalic(true);
    label1_->setFont(banner);

    cmdRefresh_ = new QPushButton(QStringLiteral("&Refresh"), this);
    cmdRefresh_->setObjectName(QStringLiteral("CmdRefresh"));
    cmdRefresh_->setGeometry(ui::twips::ToPixels(6000, 0, 1335, 240));

    setTabOrder(listView1_, cmdRefresh_);
    listView1_->setFocus();

    connect(cmdRefresh_, &QPushButton::clicked, this, &FrmRuvelo::CmdRefresh_Click);
    connect(listView1_, &ListView::BeforeLabelEdit, this, &FrmRuvelo::ListView1_BeforeLabelEdit);
    connect(listView1_, &ListView::AfterLabelEdit, this, &FrmRuvelo::ListView1_AfterLabelEdit);
    connect(listView1_, &ListView::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint,
                   QPoint globalPosition) { ListView1_MouseDown(button, shift, globalPosition); });
}

QSize FrmRuvelo::TamanoExterior() const {
    return frameGeometry().size();
}

QPoint FrmRuvelo::Esquina() const {
    const QSize screen = ui::Dialogs::Current().ScreenSize();
    const QSize outer = TamanoExterior();
    return {Pixels(Twips(screen.width()) - Twips(outer.width()) - kMargen),
            Pixels(Twips(screen.height()) - Twips(outer.height()) - kMargen)};
}

bool FrmRuvelo::EnAlgunaPantalla(const QRect& window) const {
    for (const QRect& screen : ui::Dialogs::Current().ScreenGeometries()) {
        if (screen.intersects(window)) {
            return true;
        }
    }
    return false;
}

// Restores the position; every failing step is skipped and the next one runs, so a coordinate
// that cannot be read stays where the system placed the window.
void FrmRuvelo::Form_Load() {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    const QSize screen = ui::Dialogs::Current().ScreenSize();
    const QSize outer = TamanoExterior();
    float top = 0;
    float left = 0;
    Pendiente stored;
    auto read = [](const QString& key, float byDefault) {
        return Pixels(Single(Ini().LeerValor(kArchivoIni, kSeccion, key, byDefault)));
    };
    steps([&] { top = Twips(screen.height()) - Twips(outer.height()) - kMargen; });
    steps([&] { stored.top = read(kTop, top); });
    steps([&] { left = Twips(screen.width()) - Twips(outer.width()) - kMargen; });
    steps([&] { stored.left = read(kLeft, left); });
    if (!stored.top && !stored.left) {
        return;  // the system places the window
    }
    if (!stored.top || !stored.left) {
        // Moving now would fix the other coordinate too (at 0): wait for the system's place.
        pendiente_ = stored;
        return;
    }
    Colocar(QPoint(*stored.left, *stored.top));
}

void FrmRuvelo::Colocar(QPoint place) {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    const QSize outer = TamanoExterior();
    // A place saved on a larger or another monitor must not lose the window.
    if (!EnAlgunaPantalla(QRect(place, outer))) {
        steps([&] { place = Esquina(); });
    }
    move(place);
    // The frame is known only once the window is up: a window in the first-start corner then
    // moves in by it (see event()).
    steps([&] { corregirEsquina_ = place == Esquina(); });
    exteriorAlCargar_ = outer;
}

void FrmRuvelo::ColocarPendiente() {
    const Pendiente stored = *pendiente_;
    pendiente_.reset();
    Colocar(QPoint(stored.left.value_or(x()), stored.top.value_or(y())));
}

bool FrmRuvelo::event(QEvent* event) {
    const QEvent::Type type = event->type();
    const bool up = type == QEvent::Show || type == QEvent::Paint || type == QEvent::WindowActivate;
    if (type == QEvent::Show) {
        mostrada_ = true;
    }
    // The system has placed the window once it moves it after showing it, activates it, or
    // paints it: without a window manager nothing moves or activates it, and a window manager
    // places a window before it is first painted.
    const bool placed = mostrada_ && (type == QEvent::Move || type == QEvent::WindowActivate ||
                                      type == QEvent::Paint);
    if (pendiente_ && placed) {
        ColocarPendiente();
    }
    if (corregirEsquina_ && up && TamanoExterior() != exteriorAlCargar_) {
        corregirEsquina_ = false;
        rt::Steps::IgnoreErrors()([this] { move(Esquina()); });
    }
    if (type == QEvent::WindowActivate) {
        corregirEsquina_ = false;
    }
    return QWidget::event(event);
}

// Saves the position and releases the shared instance; a failure to save goes to the
// program's error reporting.
void FrmRuvelo::Form_Unload() {
    Ini().GrabarValor(kArchivoIni, kSeccion, kTop, rt::text::NumberToText(Twips(y()), 7));
    Ini().GrabarValor(kArchivoIni, kSeccion, kLeft, rt::text::NumberToText(Twips(x()), 7));
    Liberar();
}

void FrmRuvelo::Liberar() {
    using Shared = rt::DefaultInstance<FrmRuvelo>;
    if (Shared::Exists() && &Shared::Get() == this) {
        Shared::Release();
    }
}

void FrmRuvelo::closeEvent(QCloseEvent* event) {
    try {
        Form_Unload();
    } catch (const rt::RuntimeError& error) {
        Programa::ReportarError(error);
        Liberar();
    }
    event->accept();
}

void FrmRuvelo::CargarChequesEnCartera(QString& Fecha, bool* HayDatos) {
    Q_UNUSED(Fecha);
    Q_UNUSED(HayDatos);
}

void FrmRuvelo::CmdRefresh_Click() {
    QString fecha = rt::text::ShortDate(QDate::currentDate());
    bool hayDatos = false;
    CargarChequesEnCartera(fecha, &hayDatos);
}

void FrmRuvelo::Encolumnar() {
    listView1_->clear();
    listView1_->setColumnCount(0);
    QStringList captions;
    for (const Columna& columna : kColumnas) {
        captions.append(QString::fromUtf8(columna.caption));
    }
    listView1_->setHeaderLabels(captions);
    for (int i = 0; i < captions.size(); ++i) {
        const QString letters(kColumnas[i].letras, QLatin1Char('X'));
        const int pixels = ui::Dialogs::Current().TextWidth(font(), letters);
        listView1_->setColumnWidth(i, ui::twips::ToPixels(ui::twips::FromPixels(pixels)));
    }
}

void FrmRuvelo::ListView1_BeforeLabelEdit(bool& Cancel) {
    Cancel = true;
}

void FrmRuvelo::ListView1_AfterLabelEdit(bool& Cancel, QString& NewString) {
    Q_UNUSED(NewString);
    Cancel = true;
}

void FrmRuvelo::ListView1_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                    const QPoint& globalPosition) {
    Q_UNUSED(Shift);
    if (Button != Qt::RightButton) {
        return;
    }
    menus::FrmMenus& menus = rt::DefaultInstance<menus::FrmMenus>::Get();
    menus.Mostrar(QStringLiteral("MNU_EmergenteXXV"), globalPosition);
    // No action follows either answer.
    eligioDepositar_ = rt::text::Equals(menus.PRespuesta, QStringLiteral("Depositar"));
}

}  // namespace app
