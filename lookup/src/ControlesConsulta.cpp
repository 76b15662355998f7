#include "ControlesConsulta.h"

#include <QLineEdit>
#include <algorithm>

#include "DisenoConsulta.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/ui/Twips.h"

namespace lookup::controles {

using namespace diseno;
using ui::twips::ToPixels;

void HacerEditable(QComboBox& caja) {
    QLineEdit* edicion = Hijo<QLineEdit>(&caja);
    edicion->setPalette(caja.palette());
    caja.setLineEdit(edicion);
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
