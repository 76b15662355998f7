#include "cheques/lookup/Lib_ClsCons3.h"

#include "SentenciasConsulta.h"
#include "cheques/ado/Enums.h"
#include "cheques/ado/Recordset.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/db/LeerConfig.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/Steps.h"
#include "cheques/runtime/Text.h"
#include "cheques/ui/Dialogs.h"
#include "cheques/vexilo/VexUtil.h"

namespace lookup {

namespace {

using ListaCompartida = rt::DefaultInstance<Lib_FrmCons3>;

QString Config(const QString& clave) {
    QString aux;
    return db::LeerConfig(clave, aux);
}

// A stock level's colour: the stored text, or the number 0 when it is empty.
rt::Variant Nivel(int n) {
    const QString texto = Config(QStringLiteral("Stk_Nivel%1").arg(n));
    return texto.isEmpty() ? rt::Variant(0) : rt::Variant(texto);
}

}  // namespace

Lib_ClsCons3::Lib_ClsCons3() : CmpsDevueltos(rt::NewCollection()), Valores(rt::NewCollection()) {
    MuestraStock = Config(QStringLiteral("MostrarStockenConsultas"));
    StkNivel1 = Nivel(1);
    StkNivel2 = Nivel(2);
    StkNivel3 = Nivel(3);
    StkNivel4 = Nivel(4);
    consultaLikeActiva_ =
        rt::text::Equals(Config(QStringLiteral("UsaConsultaLIKE")), QStringLiteral("SI"));
}

Lib_ClsCons3::~Lib_ClsCons3() = default;

vexilo::VexUtil& Lib_ClsCons3::Util() {
    if (!util_) {
        util_ = std::make_unique<vexilo::VexUtil>();
    }
    return *util_;
}

void Lib_ClsCons3::ConsultaSearch(QString SQL, rt::CollectionRef* cmpsDevueltos,
                                  const QString& Clave, QString* CampoBusqueda, QString* Where,
                                  const QString& SentenciaOpcional, bool TreeView,
                                  const QString& ValoresDefault) {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    if (Where) {
        steps([Where] { *Where = EnvolverCondicion(*Where); });
    }
    int filas = kFilasPorDefecto;
    steps([&filas] { filas = FilasConsulta(Config(QStringLiteral("TopConsArt"))); });
    QString sentencia;
    QString campo = CampoBusqueda ? *CampoBusqueda : QString();
    if (EsSentenciaCompleta(SQL)) {
        steps([&] { sentencia = SentenciaCompleta(SQL); });
    } else {
        if (!SentenciaDeNombre(SQL, filas, SentenciaOpcional, Where ? *Where : QString(), sentencia,
                               campo)) {
            return;
        }
        if (CampoBusqueda) {
            *CampoBusqueda = campo;
        }
    }
    if (TreeView) {
        MostrarArbol(sentencia);
    } else {
        MostrarLista(sentencia, campo, cmpsDevueltos, Clave, ValoresDefault);
    }
    Limpiar(cmpsDevueltos);
}

bool Lib_ClsCons3::SentenciaDeNombre(const QString& SQL, int filas,
                                     const QString& SentenciaOpcional, const QString& where,
                                     QString& sentencia, QString& campo) {
    if (gUsarMascarasConsultas) {
        std::optional<MascaraConsulta> mascara;
        rt::Steps::IgnoreErrors()([&] { mascara = BuscarMascara(gRutaMascaraConsultas, SQL); });
        if (mascara) {
            mascara_ = *mascara;
            const ArmadoMascara armado = SentenciaDeMascara(*mascara, filas, campo, where);
            if (!armado.configurada) {
                ui::MsgBox(QStringLiteral("Debe configurar la consulta para esta tabla"),
                           ui::vbInformation | ui::vbOKOnly, QStringLiteral("Aviso al operador"));
                return false;
            }
            sentencia = armado.armada.sentencia;
            campo = armado.armada.campoBusqueda;
            return true;
        }
    }
    // No mask for the name (or masks off): the statement from its columns.
    sentencia =
        SentenciaOpcional.isEmpty() ? SentenciaDeTabla(SQL, filas, campo) : SentenciaOpcional;
    return true;
}

QString Lib_ClsCons3::SentenciaDeTabla(const QString& SQL, int filas, QString& campo) {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    db::DB_Dll& db = db::DB_Dll::Default();
    ado::Recordset rs;
    QString lectura = SentenciaColumnasDe(SQL);
    QStringList campos;
    steps([&] {
        db.AbrirRecordset(lectura, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly,
                          ado::adCmdUnspecified, true);
    });
    steps([&] {
        for (const ado::Field& f : rs.Fields()) {
            campos << f.Name();
        }
    });
    steps([&] { db.CierraRecordset(rs); });
    const SentenciaArmada armada = SentenciaDeColumnas(campos, SQL, filas, campo);
    campo = armada.campoBusqueda;
    return armada.sentencia;
}

void Lib_ClsCons3::MostrarLista(const QString& sentencia, const QString& campo,
                                const rt::CollectionRef* cmpsDevueltos, const QString& Clave,
                                const QString& ValoresDefault) {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    Lib_FrmCons3& ventana = ListaCompartida::Get();
    steps([&] {
        ventana.StkNivel1 = StkNivel1;
        ventana.StkNivel2 = StkNivel2;
        ventana.StkNivel3 = StkNivel3;
        ventana.StkNivel4 = StkNivel4;
        ventana.MuestraStock = MuestraStock;
        ventana.CfgUsaConsultaLIKE = consultaLikeActiva_;
        ventana.OrdenarPorLwv = !rt::text::Contains(sentencia, QStringLiteral("ORDER BY"));
        ventana.FiltroInicial = Clave;
        ventana.CampoBusqueda = campo;
        ventana.SQL = sentencia;
        ventana.gConnString = gConnString;
        ventana.CampoDevuelto = CampoDevuelto;
        ventana.CheckBoxes = Checks;
        ventana.UsaCantidades = UsaCantidades;
        ventana.ValoresDefault = ValoresDefault;
        ventana.CmpsDevueltos.reset();
        ventana.CmpsDevueltos = cmpsDevueltos ? *cmpsDevueltos : nullptr;
        ventana.Valores.reset();
        ventana.Cantidades.reset();
        ventana.GrabarCfg = GrabarAnchos;
    });
    Valores.reset();
    Cantidades.reset();
    steps([&] { ui::Dialogs::Current().ShowModal(ventana); });
    Checks = false;
    Valores = ventana.Valores;
    Cantidades = ventana.Cantidades;
    ValorDevuelto = ventana.ValorDevuelto;
    ventana.CampoDevuelto.clear();
}

void Lib_ClsCons3::Limpiar(rt::CollectionRef* cmpsDevueltos) {
    rt::Steps steps = rt::Steps::IgnoreErrors();
    CampoDevuelto.clear();
    if (cmpsDevueltos && *cmpsDevueltos) {
        steps([cmpsDevueltos] {
            while ((*cmpsDevueltos)->Count() > 0) {
                (*cmpsDevueltos)->Remove(1);
            }
        });
        cmpsDevueltos->reset();
    }
    if (ListaCompartida::Exists()) {
        Lib_FrmCons3& ventana = ListaCompartida::Get();
        ventana.Valores.reset();
        ventana.Cantidades.reset();
        steps([&ventana] { ventana.Descargar(); });
    }
    // The next request starts with fresh windows; the tree window is released, not unloaded.
    ListaCompartida::Release();
    rt::DefaultInstance<Lib_FrmCons3Tree>::Release();
}

}  // namespace lookup
