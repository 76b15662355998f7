#include "cheques/db/frmAcceso.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "cheques/ui/Dialogs.h"
#include "cheques/ui/Twips.h"

namespace db {

namespace {

QFont Fuente(const char* familia) {
    QFont fuente{QString::fromLatin1(familia)};
    fuente.setPointSizeF(9.75);
    return fuente;
}

}  // namespace

frmAcceso::frmAcceso(QWidget* parent) : QDialog(parent) {
    Form_Load();
}

std::optional<ParametrosAcceso> frmAcceso::Pedir(const ParametrosAcceso& actuales) {
    frmAcceso dialogo;
    dialogo.TxtDbName()->setText(actuales.dbName);
    dialogo.TxtServidor()->setText(actuales.servidor);
    dialogo.TxtUserId()->setText(actuales.usuario);
    dialogo.TxtUserPassword()->setText(actuales.password);
    dialogo.CboPlataformaDB()->setCurrentIndex(actuales.oracle ? 1 : 0);
    ui::Dialogs::Current().ShowModal(dialogo);
    if (!dialogo.Aceptar) {
        return std::nullopt;
    }
    return ParametrosAcceso{dialogo.TxtUserId()->text(), dialogo.TxtUserPassword()->text(),
                            dialogo.TxtDbName()->text(), dialogo.TxtServidor()->text(),
                            dialogo.CboPlataformaDB()->currentIndex() > 0};
}

void frmAcceso::Form_Load() {
    Disenar();
    Centrar();
}

void frmAcceso::Disenar() {
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(ui::twips::ToPixels(5850), ui::twips::ToPixels(2820));
    DisenarMarco();

    bcAceptar_ = new QPushButton(QStringLiteral("Aceptar"), this);
    bcAceptar_->setObjectName(QStringLiteral("bcAceptar"));
    bcAceptar_->setGeometry(ui::twips::ToPixels(1440, 2415, 1350, 375));
    bcAceptar_->setDefault(true);
    connect(bcAceptar_, &QPushButton::clicked, this, &frmAcceso::bcAceptar_Click);

    bcCancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    bcCancelar_->setObjectName(QStringLiteral("bcCancelar"));
    bcCancelar_->setGeometry(ui::twips::ToPixels(3000, 2415, 1332, 372));
    connect(bcCancelar_, &QPushButton::clicked, this, &frmAcceso::bcCancelar_Click);

    QWidget::setTabOrder(txtUserId_, txtUserPassword_);
    QWidget::setTabOrder(txtUserPassword_, txtDbName_);
    QWidget::setTabOrder(txtDbName_, txtServidor_);
    QWidget::setTabOrder(txtServidor_, cboPlataformaDB_);
    QWidget::setTabOrder(cboPlataformaDB_, bcAceptar_);
    QWidget::setTabOrder(bcAceptar_, bcCancelar_);
    txtUserId_->setFocus();
}

// The frame with the four labelled boxes and the platform list.
void frmAcceso::DisenarMarco() {
    using ui::twips::ToPixels;
    framAcceso_ = new QGroupBox(this);
    framAcceso_->setObjectName(QStringLiteral("framAcceso"));
    framAcceso_->setGeometry(ToPixels(0, 0, 5775, 2340));

    lbUsuario_ = Etiqueta("lbUsuario", QStringLiteral("&Usuario"), ToPixels(240, 360, 1455, 255));
    txtUserId_ = Caja("TxtUserId", ToPixels(1920, 240, 3735, 345));
    lbcontrasena_ =
        Etiqueta("lbcontrasena", QStringLiteral("&Contraseña"), ToPixels(240, 720, 1452, 252));
    txtUserPassword_ = Caja("TxtUserPassword", ToPixels(1920, 600, 3735, 345));
    txtUserPassword_->setEchoMode(QLineEdit::Password);
    // Every typed character shows as "*", whatever the platform's own mask is.
    txtUserPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    label1_ = Etiqueta("Label1", QStringLiteral("&Base de Datos"), ToPixels(240, 1200, 1695, 255));
    txtDbName_ = Caja("TxtDbName", ToPixels(1920, 1080, 3735, 345));
    label2_ = Etiqueta("Label2", QStringLiteral("&Servidor"), ToPixels(240, 1560, 1455, 255));
    txtServidor_ = Caja("TxtServidor", ToPixels(1920, 1440, 3735, 345));

    lbUsuario_->setBuddy(txtUserId_);
    lbcontrasena_->setBuddy(txtUserPassword_);
    label1_->setBuddy(txtDbName_);
    label2_->setBuddy(txtServidor_);

    cboPlataformaDB_ = new QComboBox(framAcceso_);
    cboPlataformaDB_->setObjectName(QStringLiteral("CboPlataformaDB"));
    cboPlataformaDB_->setGeometry(ToPixels(1905, 1890, 3765, 315));
    cboPlataformaDB_->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});
}

QLabel* frmAcceso::Etiqueta(const char* nombre, const QString& texto, const QRect& donde) {
    auto* etiqueta = new QLabel(texto, framAcceso_);
    etiqueta->setObjectName(QLatin1String(nombre));
    etiqueta->setGeometry(donde);
    etiqueta->setFont(Fuente("Courier"));
    return etiqueta;
}

QLineEdit* frmAcceso::Caja(const char* nombre, const QRect& donde) {
    auto* caja = new QLineEdit(framAcceso_);
    caja->setObjectName(QLatin1String(nombre));
    caja->setGeometry(donde);
    caja->setFont(Fuente("MS Sans Serif"));
    return caja;
}

// Places the window in the middle of the screen.
void frmAcceso::Centrar() {
    const QSize pantalla = ui::Dialogs::Current().ScreenSize();
    move((pantalla.width() - width()) / 2, (pantalla.height() - height()) / 2);
}

void frmAcceso::bcAceptar_Click() {
    Aceptar = true;
    QDialog::accept();
}

void frmAcceso::bcCancelar_Click() {
    Aceptar = false;
    QDialog::reject();
}

void frmAcceso::reject() {
    bcCancelar_Click();
}

}  // namespace db
