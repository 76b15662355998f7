#pragma once

#include <QDialog>
#include <optional>

#include "cheques/db/ParametrosAcceso.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace db {

// "Control de Acceso": asks for user, password, database, server and platform before a
// connection is opened. It is created, shown modally and destroyed for each question; it
// centres itself on the screen when created. After it has been hidden, Aceptar tells whether
// the user accepted; Escape and closing the window count as "Cancelar". Pedir is how a program
// with windows answers the component's question (install it with db::PedidoDeAcceso).
class frmAcceso : public QDialog {
    Q_OBJECT

  public:
    explicit frmAcceso(QWidget* parent = nullptr);

    // Shows the dialog modally (through the dialog seam) filled with the parameters, on the
    // ORACLE entry when they say so; what the user accepted, or nothing when they cancelled.
    static std::optional<ParametrosAcceso> Pedir(const ParametrosAcceso& actuales);

    bool Aceptar = false;

    // The controls, by their design names (also their objectNames).
    QGroupBox* framAcceso() const { return framAcceso_; }
    QLabel* lbUsuario() const { return lbUsuario_; }
    QLineEdit* TxtUserId() const { return txtUserId_; }
    QLabel* lbcontrasena() const { return lbcontrasena_; }
    QLineEdit* TxtUserPassword() const { return txtUserPassword_; }
    QLabel* Label1() const { return label1_; }
    QLineEdit* TxtDbName() const { return txtDbName_; }
    QLabel* Label2() const { return label2_; }
    QLineEdit* TxtServidor() const { return txtServidor_; }
    QComboBox* CboPlataformaDB() const { return cboPlataformaDB_; }
    QPushButton* bcAceptar() const { return bcAceptar_; }
    QPushButton* bcCancelar() const { return bcCancelar_; }

    // Escape and the window's close button end here: they count as "Cancelar".
    void reject() override;

  private:
    void Form_Load();
    void Disenar();
    void DisenarMarco();
    void Centrar();
    void bcAceptar_Click();
    void bcCancelar_Click();

    QLabel* Etiqueta(const char* nombre, const QString& texto, const QRect& donde);
    QLineEdit* Caja(const char* nombre, const QRect& donde);

    QGroupBox* framAcceso_ = nullptr;
    QLabel* lbUsuario_ = nullptr;
    QLineEdit* txtUserId_ = nullptr;
    QLabel* lbcontrasena_ = nullptr;
    QLineEdit* txtUserPassword_ = nullptr;
    QLabel* label1_ = nullptr;
    QLineEdit* txtDbName_ = nullptr;
    QLabel* label2_ = nullptr;
    QLineEdit* txtServidor_ = nullptr;
    QComboBox* cboPlataformaDB_ = nullptr;
    QPushButton* bcAceptar_ = nullptr;
    QPushButton* bcCancelar_ = nullptr;
};

}  // namespace db
