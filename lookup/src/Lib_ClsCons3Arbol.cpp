// The request's tree road.
#include "cheques/lookup/Lib_ClsCons3.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/Steps.h"
#include "cheques/ui/Dialogs.h"

namespace lookup {

// The tree window takes the statement, the returned field and the check boxes; it hands back
// the chosen value and values. Quantities belong to the list window and stay as they were.
void Lib_ClsCons3::MostrarArbol(const QString& sentencia) {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    Lib_FrmCons3Tree& ventana = rt::DefaultInstance<Lib_FrmCons3Tree>::Get();
    steps([&] {
        ventana.SQL = sentencia;
        ventana.CampoDevuelto = CampoDevuelto;
        ventana.CheckBoxes = Checks;
    });
    Valores.reset();
    steps([&ventana] { ui::Dialogs::Current().ShowModal(ventana); });
    Checks = false;
    Valores = ventana.Valores;
    ValorDevuelto = ventana.ValorDevuelto;
}

}  // namespace lookup
