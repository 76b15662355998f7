// The tree window's choice: ticks running down the outline, and the chosen code or codes looked
// up in the table of their kind.
#include <QTreeView>
#include <optional>

#include "ModeloArbol.h"
#include "cheques/ado/Recordset.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/vexilo/Manejador.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

constexpr int32_t kObjetoNoAsignado = 91;  // object variable not set
constexpr int kNivelesMarcados = 3;        // how far below a ticked node the tick runs

const QString kFamilia = QStringLiteral("IDFAMILIA");
const QString kPosicion = QStringLiteral("IDPOSICION");
const QString kCentroDeCosto = QStringLiteral("CODIGO");

vexilo::VexUtil& Util() {
    return rt::DefaultInstance<vexilo::VexUtil>::Get();
}

// The table a code of the returned field is looked up in; nothing for another field.
std::optional<QString> TablaDe(const QString& campo) {
    if (rt::text::Equals(campo, kFamilia)) {
        return QStringLiteral("V_TA_FAMILIAS");
    }
    if (rt::text::Equals(campo, kPosicion)) {
        return QStringLiteral("MA_POSICIONES");
    }
    if (rt::text::Equals(campo, kCentroDeCosto)) {
        return QStringLiteral("TA_CCOSTO");
    }
    return std::nullopt;
}

// A node's code: its key without the "A" in front.
QString CodigoDe(const ModeloArbol& modelo, int nodo) {
    return modelo.Clave(nodo).mid(1);
}

// The returned field of the row whose field holds the code, as text; nothing when no row does.
std::optional<QString> Buscar(const QString& tabla, const QString& campo, const QString& codigo) {
    db::DB_Dll& db = db::DB_Dll::Default();
    ado::Recordset rs;
    if (!db.ExisteEnTabla(tabla, codigo, campo, &rs)) {
        return std::nullopt;
    }
    const QString valor = Util().CampoATexto(rs.Fields()[campo].Value());
    rt::Steps::IgnoreErrors()([&db, &rs] { db.CierraRecordset(rs); });
    return valor;
}

}  // namespace

// A tick or its removal runs three levels down; nodes deeper keep theirs.
void Lib_FrmCons3Tree::TreeV_NodeCheck(int nodo) {
    rt::Steps::IgnoreErrors()([this, nodo] {
        const bool marcado = modelo_->Marcado(nodo);
        std::vector<int> nivel{nodo};
        for (int n = 0; n < kNivelesMarcados; ++n) {
            std::vector<int> siguiente;
            for (const int padre : nivel) {
                modelo_->MarcarHijos(padre, marcado);
                const std::vector<int>& hijos = modelo_->Hijos(padre);
                siguiente.insert(siguiente.end(), hijos.begin(), hijos.end());
            }
            nivel = std::move(siguiente);
        }
    });
}

void Lib_FrmCons3Tree::CmdAceptar_Click() {
    if (CheckBoxes) {
        ElegirMarcados();
    } else {
        ElegirUno();
    }
}

// The selected node's code, looked up in its table; a code not found gives "".
void Lib_FrmCons3Tree::ElegirUno() {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("HScroll1_Change")));
    QString codigo;
    const bool elegido = steps([this, &codigo] {
                             const int nodo = modelo_->NodoDe(treeV_->currentIndex());
                             if (nodo == ModeloArbol::kNinguno) {
                                 rt::RuntimeError::Raise(kObjetoNoAsignado);
                             }
                             codigo = CodigoDe(*modelo_, nodo);
                         }) &&
                         steps([this, &codigo] {
                             if (const std::optional<QString> tabla = TablaDe(CampoDevuelto)) {
                                 ValorDevuelto =
                                     Buscar(*tabla, CampoDevuelto, codigo).value_or(QString());
                             }
                         });
    if (elegido) {
        hide();
    }
}

// Every ticked node's code, in the tree's order: families and cost centres as they stand,
// positions as their table has them (a position not found adds nothing).
void Lib_FrmCons3Tree::ElegirMarcados() {
    rt::Steps steps(vexilo::Manejador(Util(), QStringLiteral("HScroll1_Change")));
    const bool posiciones = rt::text::Equals(CampoDevuelto, kPosicion);
    const bool tal = rt::text::Equals(CampoDevuelto, kFamilia) ||
                     rt::text::Equals(CampoDevuelto, kCentroDeCosto);
    for (int nodo = 0; nodo < modelo_->Nodos(); ++nodo) {
        if (!modelo_->Marcado(nodo)) {
            continue;
        }
        const bool seguir = steps([&] {
            if (!Valores) {
                rt::RuntimeError::Raise(kObjetoNoAsignado);
            }
            const QString codigo = CodigoDe(*modelo_, nodo);
            if (tal) {
                Valores->Add(rt::text::Trim(codigo));
            } else if (posiciones) {
                if (const auto valor = Buscar(*TablaDe(kPosicion), kPosicion, codigo)) {
                    Valores->Add(*valor);
                }
            }
        });
        if (!seguir) {
            return;
        }
    }
    hide();
}

}  // namespace lookup
