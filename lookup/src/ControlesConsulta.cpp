#include "ControlesConsulta.h"

#include <QCompleter>
#include <QLineEdit>
#include <algorithm>

#include "DisenoConsulta.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/ui/Twips.h"

namespace lookup::controles {

using namespace diseno;
using ui::twips::ToPixels;

void HacerEditable(QComboBox& caja, QCompleter* sustituto) {
    QLineEdit* edicion = Hijo<QLineEdit>(&caja);
    edicion->setPalette(caja.palette());
    if (!sustituto) {
        caja.setLineEdit(edicion);
        return;
    }
    edicion->setCompleter(sustituto);
    caja.setLineEdit(edicion);
    edicion->setCompleter(nullptr);
}

void Completar(QComboBox& caja) {
    if (caja.completer() || !caja.lineEdit()) {
        return;
    }
    QCompleter* completer = Hijo<QCompleter>(caja.lineEdit(), caja.model());
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    completer->setCompletionColumn(caja.modelColumn());
    caja.setCompleter(completer);
}

QPushButton* Boton(QWidget* parent, const char* nombre, const QString& caption) {
    QPushButton* boton = Hijo<QPushButton>(parent, caption);
    boton->setObjectName(QLatin1String(nombre));
    return boton;
}

void ColocarBotones(QWidget& barra, std::initializer_list<QPushButton*> botones) {
    const int separacion = ToPixels(kLeftCancelar - kLeftNueva - kAnchoBoton);
    int left = ToPixels(kLeftNueva);
    for (QPushButton* boton : botones) {
        const int ancho = std::max(ToPixels(kAnchoBoton), boton->sizeHint().width());
        boton->setGeometry(left, ToPixels(kTopBoton), ancho, ToPixels(kAltoBoton));
        left += ancho + separacion;
    }
    const int necesario = left - separacion + ToPixels(kLeftNueva);
    barra.resize(std::max(ToPixels(kAnchoMarco), necesario), ToPixels(kAltoMarco));
}

void Centrar(QWidget& ventana) {
    const QSize pantalla = ui::Dialogs::Current().ScreenSize();
    ventana.move(std::max((pantalla.width() - ventana.width()) / 2, 0),
                 std::max((pantalla.height() - ventana.height()) / 2, 0));
}

}  // namespace lookup::controles
