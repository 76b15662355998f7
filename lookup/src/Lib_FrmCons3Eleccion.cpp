// The list window's choice: the chosen row or rows, quantities, and the shortage report.
#include <QDateTime>

#include "CantidadConsulta.h"
#include "FaltanteConsulta.h"
#include "Teclas.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/vexilo/Manejador.h"

namespace lookup {

namespace {

using rt::text::Trim;

constexpr int32_t kObjetoNoAsignado = 91;  // object variable not set
constexpr int32_t kFueraDeRango = 35600;   // index out of bounds

const QString kPreguntaCantidad = QStringLiteral("Ingrese la Cantidad del Articulo...");
const QString kTituloCantidad = QStringLiteral("Carga de Datos");

rt::Collection& Coleccion(const rt::CollectionRef& coleccion) {
    if (!coleccion) {
        rt::RuntimeError::Raise(kObjetoNoAsignado);
    }
    return *coleccion;
}

}  // namespace

QString Lib_FrmCons3::TextoEnColumna(int fila, int posicion) const {
    if (posicion < 1) {
        return {};
    }
    return listView1_->Modelo().Texto(fila, posicion - 1);
}

void Lib_FrmCons3::CmdAceptar_Click() {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("HScroll1_Change")));
    const ModeloConsulta& modelo = listView1_->Modelo();
    if (CheckBoxes) {
        const bool elegido =
            steps([&] {
                if (CampoDevuelto.isEmpty() && modelo.Columnas() > 0) {
                    CampoDevuelto = modelo.Titulos().front();
                }
            }) &&
            steps([&] {
                const int devuelto = IndiceColumna(CampoDevuelto);
                const int cantidad = UsaCantidades ? IndiceColumna(kColumnaCantidad) : 0;
                rt::Collection& valores = Coleccion(Valores);
                for (int fila = 0; fila < modelo.Filas(); ++fila) {
                    if (!modelo.Marcada(fila)) {
                        continue;
                    }
                    valores.Add(TextoEnColumna(fila, devuelto));
                    if (cantidad > 0) {
                        Coleccion(Cantidades).Add(CantidadElegida(TextoEnColumna(fila, cantidad)));
                    }
                }
            });
        if (elegido) {
            hide();
        }
        return;
    }
    // Without a selected row the window hides with no result set.
    const int fila = listView1_->FilaSeleccionada();
    const auto valores = [&] {
        if (fila < 0 || !CmpsDevueltos) {
            return;
        }
        for (int i = 1; i <= CmpsDevueltos->Count(); ++i) {
            const QString titulo = CmpsDevueltos->Item(i).ToText();
            Coleccion(Valores).Add(TextoEnColumna(fila, IndiceColumna(titulo)));
        }
    };
    const auto valor = [&] {
        if (fila >= 0) {
            ValorDevuelto = Trim(CampoDevuelto).isEmpty()
                                ? QString()
                                : TextoEnColumna(fila, IndiceColumna(CampoDevuelto));
        }
    };
    if (steps(valores) && steps(valor)) {
        hide();
    }
}

void Lib_FrmCons3::ListView1_DblClick() {
    CmdAceptar_Click();
}

void Lib_FrmCons3::ListView1_KeyDown(int& KeyCode, int Shift) {
    using namespace teclas;
    if (KeyCode == kEspacio && CheckBoxes) {
        return;  // the list ticks or unticks the selected row itself
    }
    if (KeyCode == kEnter) {
        CmdAceptar_Click();
        return;
    }
    if (UsaCantidades && listView1_->FilaSeleccionada() >= 0 &&
        (KeyCode == kInsertar || KeyCode == kSuprimir)) {
        CambiarCantidad(KeyCode, Shift);
        return;
    }
    if (VaALaCaja(KeyCode) || KeyCode == kEspacio) {
        EscribirEnCaja(KeyCode);
    }
}

// Shift+Insert asks for the quantity, Insert raises it by one and Delete lowers it by one; a
// quantity reaching 0 unticks the row.
void Lib_FrmCons3::CambiarCantidad(int KeyCode, int Shift) {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("ListView1_KeyDown")));
    ModeloConsulta& modelo = listView1_->Modelo();
    const int fila = listView1_->FilaSeleccionada();
    int columna = -1;
    if (!steps([&] {
            columna = IndiceColumna(kColumnaCantidad) - 1;
            if (columna < 0) {
                rt::RuntimeError::Raise(kFueraDeRango);
            }
        })) {
        return;
    }
    const QString celda = modelo.Texto(fila, columna);
    if (KeyCode == teclas::kInsertar && Shift == teclas::kShift) {
        steps([&] {
            const double valor =
                CantidadElegida(ui::Dialogs::Current()
                                    .InputBox(kPreguntaCantidad, kTituloCantidad, celda)
                                    .value_or(QString()));
            modelo.PonerTexto(fila, columna, FormatoCantidad(valor, kDecimalesIngresados));
            modelo.Marcar(fila, true);
        });
        return;
    }
    if (Shift != 0) {
        return;
    }
    if (KeyCode == teclas::kInsertar) {
        steps([&] {
            modelo.PonerTexto(fila, columna,
                              FormatoCantidad(CantidadElegida(celda) + 1, kDecimalesPaso));
            modelo.Marcar(fila, true);
        });
        return;
    }
    steps([&] {
        modelo.PonerTexto(fila, columna,
                          FormatoCantidad(CantidadElegida(celda) - 1, kDecimalesPaso));
        if (CantidadElegida(modelo.Texto(fila, columna)) <= 0) {
            modelo.Marcar(fila, false);
            modelo.PonerTexto(fila, columna, kCantidadAgotada);
        }
    });
}

bool Lib_FrmCons3::Form_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (KeyCode != teclas::kF12 || !esArticulos_) {
        return false;
    }
    rt::Steps::IgnoreErrors()([this] { InformarFaltante(); });
    return true;
}

// F12 on an articles list: after a confirmation, the selected article is recorded as missing
// from stock in V_MV_FALTANTES.
void Lib_FrmCons3::InformarFaltante() {
    const int fila = listView1_->FilaSeleccionada();
    if (fila < 0) {
        return;
    }
    const QString id = TextoEnColumna(fila, IndiceColumna(QStringLiteral("idarticulo")));
    const QString descripcion = TextoEnColumna(fila, IndiceColumna(QStringLiteral("Descripcion")));
    const int respuesta = ui::MsgBox(PreguntaFaltante(id, descripcion),
                                     ui::vbYesNo | ui::vbQuestion, kTituloFaltante);
    if (respuesta != ui::vbYes) {
        return;
    }
    db::DB_Dll& db = db::DB_Dll::Default();
    QString sentencia = SentenciaFaltante(rt::Variant(QDateTime::currentDateTime()).ToString(), id,
                                          descripcion, db.gUsuario);
    db.EjecutaConsultaSQL(sentencia);
}

}  // namespace lookup
