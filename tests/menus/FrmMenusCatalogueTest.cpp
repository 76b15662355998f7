// The host against its catalogue, item by item: structure, captions, design states and the
// answer each item leaves in PRespuesta when it is chosen from its popup menu.
#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>

#include "ScriptedDialogs.h"
#include "menus/FrmMenus.h"

using menus::FrmMenus;

namespace {

enum Outcome { Sets, Keeps, Caption, Tag, Separator, Submenu };

struct Expected {
    const char* menu;    // the popup menu the item belongs to
    const char* parent;  // the menu or submenu that holds it
    const char* name;    // "" for separators
    const char* caption;
    Outcome outcome;
    const char* answer;  // for Sets
    bool salir;
    bool hidden;
};

const char* const kMenus[] = {
    "mnu_Emergente",       "MNU_EmergenteII",     "MNU_EmergenteIII",   "MNU_EmergenteIV",
    "MNU_EmergenteV",      "MNU_EmergenteVI",     "MNU_EmergenteVII",   "MNU_EmergenteVIII",
    "MNU_EmergenteIX",     "mnu_EmergenteX",      "MNU_EmergenteXI",    "MNU_EmergenteXII",
    "MNU_EmergenteXIII",   "MNU_EmergenteXIV",    "MNU_EmergenteXV",    "MNU_Emergente_XVI",
    "MNU_Emergente_XV",    "MNU_EmergenteXViIIi", "MNU_EmergenteXXV",   "MNU_EmergenteXXVI",
    "MNU_EmergenteXXVIII", "MNU_EmergenteXXIX",   "mnu_EmergenteXXXI",  "mnu_EmergenteXXX",
    "mnu_emergenteXXXII",  "mnu_emergenteXXXIII", "mnu_EmergenteXXXIV", "mnu_EmergenteXXXIIV"};

const Expected kItems[] = {
    {"mnu_Emergente", "mnu_Emergente", "MNU_Emergente_Eliminar", "Eliminar", Sets, "Eliminar", true,
     false},
    {"mnu_Emergente", "mnu_Emergente", "", "-", Separator, "", false, false},
    {"mnu_Emergente", "mnu_Emergente", "MNU_Emergente_Ejecutar", "Ejecutar", Sets, "Ejecutar", true,
     false},
    {"mnu_Emergente", "mnu_Emergente", "", "-", Separator, "", false, false},
    {"mnu_Emergente", "mnu_Emergente", "MNU_Emergente_Cancelar", "Cancelar", Sets, "", true, false},
    {"MNU_EmergenteII", "MNU_EmergenteII", "MNU_EmergenteII_Consultar", "Consultar - Visualizar",
     Sets, "Consultar", true, false},
    {"MNU_EmergenteII", "MNU_EmergenteII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteII", "MNU_EmergenteII", "MNU_EmergenteII_Reimprimir", "Reimprimir", Sets,
     "Reimprimir", true, false},
    {"MNU_EmergenteII", "MNU_EmergenteII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteII", "MNU_EmergenteII", "MNU_EmergenteII_Cancelar", "Cancelar", Keeps, "", true,
     false},
    {"MNU_EmergenteIII", "MNU_EmergenteIII", "MNU_EmergenteIII_Tecnicos", "(Tecnico)", Caption, "",
     true, false},
    {"MNU_EmergenteIII", "MNU_EmergenteIII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteIII", "MNU_EmergenteIII", "MNU_EmergenteIII_Cancelar", "Cancelar", Sets, "",
     true, false},
    {"MNU_EmergenteIV", "MNU_EmergenteIV", "MNU_EmergenteIV_Editar", "&Editar Solicitud", Sets,
     "EditarSolicitud", false, false},
    {"MNU_EmergenteIV", "MNU_EmergenteIV", "", "-", Separator, "", false, false},
    {"MNU_EmergenteIV", "MNU_EmergenteIV", "MNU_EmergenteIV_Cancelar", "&Cancelar", Keeps, "",
     false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "Mnu_EmergenteV_Citar", "&Citar", Sets, "Citar", false,
     false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "", "-", Separator, "", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "Mnu_EmergenteV_SeleccionarTodo", "&Seleccionar Todo",
     Sets, "seleccionar_todas", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "Mnu_EmergenteV_QuitarTodo", "&Quitar Todo", Sets,
     "deseleccionar_todas", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "", "-", Separator, "", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "Mnu_EmergenteV_EditarPostulante",
     "&Editar Ficha del Postulante", Sets, "Editar_Postulante", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "", "-", Separator, "", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "Mnu_EmergenteV_EliminarBusqueda",
     "Eliminar Resultado Busqueda", Sets, "EliminarResultadoBusqueda", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "", "-", Separator, "", false, false},
    {"MNU_EmergenteV", "MNU_EmergenteV", "Mnu_EmergenteV_Cancelar", "&Cancelar", Sets, "", false,
     false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "MNU_EmergenteVIAprobar", "Aprobar", Sets, "Aprobar",
     false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "MNU_CitarEvaluar", "Citar para &Evaluación", Sets,
     "CitarEvaluar", false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "MNU_EmergenteVIAnulBActual",
     "Anular para la Búsqueda Actual", Sets, "AnularActual", false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "MNU_EmergenteVIAnulTodaslasB",
     "Anular para Todas las Búsquedas", Sets, "AnularTodas", false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "MNU_EmergenteVIEditaPostulante",
     "Editar la Ficha del Postulante", Sets, "EditaFichaPostulante", false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVI", "MNU_EmergenteVI", "MNU_EmergenteVICAncelar", "Cancelar", Keeps, "", false,
     false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_EmergenteVII_Presentar", "Presentar al Cliente",
     Sets, "PresentarAlCliente", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_EmergenteVII_Contratar", "Contratar", Sets,
     "Contratar", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_EmergenteVIIDescartarEsta",
     "Descartar para esta Búsqueda", Sets, "AnularActual", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_EmergenteVIIDescartarTodas",
     "Descartar para Todas las Búsquedas", Sets, "AnularTodas", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_EmergenteVIIVerEntrevistas", "Ver Entrevistas",
     Sets, "VerEntrevistas", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_EmergenteVIIVerEvaluaciones", "Ver Evaluaciones",
     Sets, "VerEvaluaciones", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_VerEntrevistasEvaluaciones",
     "Ver Entrevistas y Evaluaciones", Sets, "VerEntrevistasEvaluaciones", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVII", "MNU_EmergenteVII", "MNU_EmergenteVCancelar", "Cancelar", Keeps, "", false,
     false},
    {"MNU_EmergenteVIII", "MNU_EmergenteVIII", "MNU_EmergenteVIIIBuscar", "Buscar el Archivo", Sets,
     "Buscar", false, false},
    {"MNU_EmergenteVIII", "MNU_EmergenteVIII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVIII", "MNU_EmergenteVIII", "MNU_EmergenteVIIIAbrirArchivo", "Abrir el Archivo",
     Sets, "Abrir", false, false},
    {"MNU_EmergenteVIII", "MNU_EmergenteVIII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteVIII", "MNU_EmergenteVIII", "MNU_EmergenteVIIICancelar", "Cancelar", Sets, "",
     false, false},
    {"MNU_EmergenteIX", "MNU_EmergenteIX", "MNU_EmergenteIX_EliminarEntrevista",
     "Eliminar Entrevista", Sets, "EliminarEntrevista", false, false},
    {"MNU_EmergenteIX", "MNU_EmergenteIX", "MNU_EmergenteIX_EliminarEvaluacion",
     "Eliminar Evaluación", Sets, "EliminarEvaluacion", false, false},
    {"MNU_EmergenteIX", "MNU_EmergenteIX", "", "-", Separator, "", false, false},
    {"MNU_EmergenteIX", "MNU_EmergenteIX", "MNU_EmergenteIX_Cancelar", "Cancelar", Sets, "", false,
     false},
    {"mnu_EmergenteX", "mnu_EmergenteX", "MNU_EmergenteX_Eliminar", "Eliminar", Sets, "Eliminar",
     false, false},
    {"mnu_EmergenteX", "mnu_EmergenteX", "", "-", Separator, "", false, false},
    {"mnu_EmergenteX", "mnu_EmergenteX", "MNU_EmergenteX_Cancelar", "Cancelar", Keeps, "", false,
     false},
    {"MNU_EmergenteXI", "MNU_EmergenteXI", "MNU_EmergenteXIEliminarMenu", "Eliminar Menu", Submenu,
     "", false, false},
    {"MNU_EmergenteXI", "MNU_EmergenteXIEliminarMenu", "MNU_EmergenteXIMenu", "(Menu)", Tag, "",
     false, false},
    {"MNU_EmergenteXI", "MNU_EmergenteXI", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXI", "MNU_EmergenteXI", "MNU_EmergenteXI_EliminarTodos",
     "Eliminar todos los menús", Sets, "EliminarTodos", false, false},
    {"MNU_EmergenteXI", "MNU_EmergenteXI", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXI", "MNU_EmergenteXI", "MNU_EmergenteXICancelar", "Cancelar", Sets, "", false,
     false},
    {"MNU_EmergenteXII", "MNU_EmergenteXII", "EmergenteXII_EditarOrden", "Editar Orden", Sets,
     "EditarOrden", false, false},
    {"MNU_EmergenteXII", "MNU_EmergenteXII", "EmergenteXII_FinalizarOrden", "Finalizar Orden", Sets,
     "FinalizarOrden", false, false},
    {"MNU_EmergenteXII", "MNU_EmergenteXII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXII", "MNU_EmergenteXII", "EmergenteXII_NuevaOrden", "Nueva Orden", Sets,
     "NuevaOrden", false, false},
    {"MNU_EmergenteXII", "MNU_EmergenteXII", "EmergenteXII_CargarTareaDiaria", "Cargar Tarea", Sets,
     "CargarTareasDiarias", false, false},
    {"MNU_EmergenteXII", "MNU_EmergenteXII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXII", "MNU_EmergenteXII", "EmergenteXII_Cancelar", "Cancelar", Sets, "", false,
     false},
    {"MNU_EmergenteXIII", "MNU_EmergenteXIII", "Mnu_Campos", "Campos", Submenu, "", false, false},
    {"MNU_EmergenteXIII", "Mnu_Campos", "Mnu_Campo", "...", Tag, "", false, false},
    {"MNU_EmergenteXIII", "MNU_EmergenteXIII", "MNU_Operadores", "Operadores", Submenu, "", false,
     false},
    {"MNU_EmergenteXIII", "MNU_Operadores", "MNU_Operador", "...", Tag, "", false, false},
    {"MNU_EmergenteXIII", "MNU_EmergenteXIII", "MNU_OperadoresLogicos", "Operadores Lógicos",
     Submenu, "", false, false},
    {"MNU_EmergenteXIII", "MNU_OperadoresLogicos", "MNU_OperadorLogico", "...", Tag, "", false,
     false},
    {"MNU_EmergenteXIII", "MNU_EmergenteXIII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXIII", "MNU_EmergenteXIII", "MNU_EmergenteXIII_Cancelar", "Cancelar", Sets, "",
     false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "MNU_EmergenteXIV_Agenda", "Abrir Agenda", Sets,
     "Agenda", false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "MNU_EmergenteXIV_Propiedades",
     "Propiedades del Monitor", Sets, "Propiedades", false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "MNU_EmergenteXIV_Sistema", "Información del Sistema",
     Sets, "Sistema", false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "MNU_EmergenteXIV_Red", "Información de Red", Sets,
     "Red", false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "MNU_EmergenteXIV_CorvaneUpdate", "Corvane Update",
     Sets, "CorvaneUpdate", false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "MNU_EmergenteXIV_Apagar", "Apagar el Monitor", Sets,
     "Apagar", false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXIV", "MNU_EmergenteXIV", "MNU_EmergenteXIV_Cancelar", "Cancelar", Keeps, "",
     false, false},
    {"MNU_EmergenteXV", "MNU_EmergenteXV", "Vistas", "Vistas", Submenu, "", false, false},
    {"MNU_EmergenteXV", "Vistas", "MNU_View_Icono", "Icono", Sets, "Iconos", false, false},
    {"MNU_EmergenteXV", "Vistas", "MNU_View_Icono_Pequeno", "Iconos Pequeños", Sets,
     "IconosPequeños", false, false},
    {"MNU_EmergenteXV", "Vistas", "MNU_View_Lista", "Lista", Sets, "Lista", false, false},
    {"MNU_EmergenteXV", "Vistas", "MNU_View_Reporte", "Reporte", Sets, "Reporte", false, false},
    {"MNU_Emergente_XVI", "MNU_Emergente_XVI", "MNU_InsertaVentanaPersonalizada",
     "Insertar Nueva Ventana Personalizada", Sets, "Insertar", false, false},
    {"MNU_Emergente_XVI", "MNU_Emergente_XVI", "", "-", Separator, "", false, false},
    {"MNU_Emergente_XVI", "MNU_Emergente_XVI", "MNU_EliminaVentanaPersonalizada",
     "Eliminar Ventana Personalizada", Submenu, "", false, false},
    {"MNU_Emergente_XVI", "MNU_EliminaVentanaPersonalizada", "MNU_VentanaPersonalizada",
     "(Vacio...)", Tag, "", false, false},
    {"MNU_Emergente_XVI", "MNU_Emergente_XVI", "MNU_EmergenteXVI_Cancelar", "Cancelar", Sets, "",
     false, false},
    {"MNU_Emergente_XV", "MNU_Emergente_XV", "MNU_Emergente_XV_VerDetalle", "Ver Detalle", Sets,
     "VerDetalle", false, false},
    {"MNU_Emergente_XV", "MNU_Emergente_XV", "", "-", Separator, "", false, true},
    {"MNU_Emergente_XV", "MNU_Emergente_XV", "MNU_Emergente_XV_VerAsiento", "Ver Asiento", Sets,
     "VerAsiento", false, true},
    {"MNU_Emergente_XV", "MNU_Emergente_XV", "", "-", Separator, "", false, false},
    {"MNU_Emergente_XV", "MNU_Emergente_XV", "MNU_Emergente_XV_Cancelar", "Cancelar", Sets, "",
     false, false},
    {"MNU_EmergenteXViIIi", "MNU_EmergenteXViIIi", "MNU_EmergenteXViII_LetraDefault",
     "Establecer como Predeterminada", Sets, "EstablecerDefault", false, false},
    {"MNU_EmergenteXViIIi", "MNU_EmergenteXViIIi", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXViIIi", "MNU_EmergenteXViIIi", "EmergenteXVIiI_Cancelar", "Cancelar", Keeps, "",
     false, false},
    {"MNU_EmergenteXXV", "MNU_EmergenteXXV", "MNU_EmergenteXXV_Depositar", "Depositar Cheques",
     Sets, "Depositar", false, false},
    {"MNU_EmergenteXXV", "MNU_EmergenteXXV", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXXV", "MNU_EmergenteXXV", "MNU_EmergenteXXV_Cancelar", "Cancelar", Sets, "",
     false, false},
    {"MNU_EmergenteXXVI", "MNU_EmergenteXXVI", "MNU_EmergenteXXVI_Editar", "Editar", Sets, "Editar",
     false, false},
    {"MNU_EmergenteXXVI", "MNU_EmergenteXXVI", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXXVI", "MNU_EmergenteXXVI", "MNU_EmergenteXXVI_Cancelar", "Cancelar", Sets,
     "Cancelar", false, false},
    {"MNU_EmergenteXXVIII", "MNU_EmergenteXXVIII", "MNU_EmergenteXXVIICambiaImporte", "Aplicar",
     Sets, "CambiarImporte", false, false},
    {"MNU_EmergenteXXVIII", "MNU_EmergenteXXVIII", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXXVIII", "MNU_EmergenteXXVIII", "MNU_EmergenteXXVIICancelar", "Cancelar", Sets,
     "", false, false},
    {"MNU_EmergenteXXIX", "MNU_EmergenteXXIX", "MNU_EmergenteXXIXReimprimir", "Reimprimir", Sets,
     "Reimprimir", false, false},
    {"MNU_EmergenteXXIX", "MNU_EmergenteXXIX", "MNU_EmergenteXXIXEditarParte",
     "Ver Parte de Consumo", Sets, "EditarParte", false, false},
    {"MNU_EmergenteXXIX", "MNU_EmergenteXXIX", "", "-", Separator, "", false, false},
    {"MNU_EmergenteXXIX", "MNU_EmergenteXXIX", "MNU_EmergenteXXIXCancelar", "Cancelar", Sets, "",
     false, false},
    {"mnu_EmergenteXXXI", "mnu_EmergenteXXXI", "MNU_EmergenteXXXIAsiento", "&Ver Asiento", Sets,
     "VerAsiento", false, false},
    {"mnu_EmergenteXXXI", "mnu_EmergenteXXXI", "MNU_EmergenteXXXIRechazar", "&Rechazar", Sets,
     "Rechazar", false, false},
    {"mnu_EmergenteXXXI", "mnu_EmergenteXXXI", "", "-", Separator, "", false, false},
    {"mnu_EmergenteXXXI", "mnu_EmergenteXXXI", "MNU_EmergenteXXXICancelar", "&Cancelar", Keeps, "",
     false, false},
    {"mnu_EmergenteXXX", "mnu_EmergenteXXX", "MNU_EmergenteXXX_NoInformado", "Cambiar Importe",
     Sets, "cambiar", false, false},
    {"mnu_EmergenteXXX", "mnu_EmergenteXXX", "", "-", Separator, "", false, false},
    {"mnu_EmergenteXXX", "mnu_EmergenteXXX", "MNU_EmergenteXXX_Cancelar", "Cancelar", Keeps, "",
     false, false},
    {"mnu_emergenteXXXII", "mnu_emergenteXXXII", "mnu_emergenteXXXII_Finalizar",
     "&Finalizar Nota de Pedido", Sets, "NP_Finalizar", false, false},
    {"mnu_emergenteXXXII", "mnu_emergenteXXXII", "mnu_emergenteXXXII_Nueva",
     "&Nueva Nota de Pedido", Sets, "NP_Nueva", false, false},
    {"mnu_emergenteXXXII", "mnu_emergenteXXXII", "", "-", Separator, "", false, false},
    {"mnu_emergenteXXXII", "mnu_emergenteXXXII", "mnu_emergenteXXXII_Cancelar", "&Cancelar", Sets,
     "NP_Cancelar", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "mnu_emergenteXXXIII_Finalizar",
     "&Finalizar Tarea (Completada)", Sets, "FinalizarTarea", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "mnu_emergenteXXXIII_Insertar",
     "&Insertar Tarea", Sets, "Insertar", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "mnu_emergenteXXXIII_Editar",
     "&Editar Tarea Original", Sets, "Editar", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "mnu_emergenteXXXIII_Usuario",
     "Cambiar &Técnico", Sets, "CambiaTecnico", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "mnu_emergenteXXXIII_Imprimir",
     "&Imprimir Tarea", Sets, "Imprimir", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "", "-", Separator, "", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "Mnu_emergenteXXXIII_Cargar", "Cargar &Tarea",
     Sets, "CargarTareasDiarias", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "", "-", Separator, "", false, false},
    {"mnu_emergenteXXXIII", "mnu_emergenteXXXIII", "mnu_emergenteXXXIII_Cancelar", "&Cancelar",
     Keeps, "", false, false},
    {"mnu_EmergenteXXXIV", "mnu_EmergenteXXXIV", "mnu_EmergenteXXXIV_ArtSustituto",
     "&Cargar Artículo Sustituto", Sets, "ArtSustituto", false, false},
    {"mnu_EmergenteXXXIV", "mnu_EmergenteXXXIV", "", "-", Separator, "", false, false},
    {"mnu_EmergenteXXXIV", "mnu_EmergenteXXXIV", "mnu_EmergenteXXXIV_Cancelar", "Cancelar", Sets,
     "", false, false},
    {"mnu_EmergenteXXXIIV", "mnu_EmergenteXXXIIV", "mnu_EmergenteXXXIIV_Nuevo", "&Nueva Novedad",
     Sets, "Nuevo", false, false},
    {"mnu_EmergenteXXXIIV", "mnu_EmergenteXXXIIV", "mnu_EmergenteXXXIIV_Edit", "&Editar Novedad",
     Sets, "Edit", false, false},
    {"mnu_EmergenteXXXIIV", "mnu_EmergenteXXXIIV", "", "-", Separator, "", false, false},
    {"mnu_EmergenteXXXIIV", "mnu_EmergenteXXXIIV", "mnu_EmergenteXXXIIV_Cancelar", "&Cancelar",
     Sets, "", false, false},
};

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const QString kEarlier = QStringLiteral("respuesta anterior");

}  // namespace

TEST(FrmMenusCatalogue, TwentyEightPopupMenusInTheHostsOrder) {
    FrmMenus host;
    QStringList names;
    for (const QMenu* menu : host.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        names.append(menu->objectName());
    }
    QStringList expected;
    for (const char* name : kMenus) {
        expected.append(Q(name));
        EXPECT_EQ(host.Menu(Q(name)), host.findChild<QMenu*>(Q(name))) << name;
    }
    EXPECT_EQ(expected.size(), 28);
    EXPECT_EQ(names, expected);
}

TEST(FrmMenusCatalogue, EveryMenuHoldsItsItemsInOrder) {
    FrmMenus host;
    QHash<QString, QList<QAction*>> remaining;
    for (const Expected& e : kItems) {
        QMenu* holder = host.Menu(Q(e.parent));
        ASSERT_TRUE(holder) << e.parent;
        if (!remaining.contains(Q(e.parent))) {
            remaining.insert(Q(e.parent), holder->actions());
        }
        auto& actions = remaining[Q(e.parent)];
        ASSERT_FALSE(actions.isEmpty()) << e.parent << " lacks " << e.name;
        QAction* action = actions.takeFirst();
        const std::string where = std::string(e.parent) + " / " + e.name + " " + e.caption;
        EXPECT_EQ(action->isSeparator(), e.outcome == Separator) << where;
        EXPECT_EQ(action->menu() != nullptr, e.outcome == Submenu) << where;
        EXPECT_EQ(action->isVisible(), !e.hidden) << where;
        EXPECT_EQ(action->isEnabled(), !e.hidden) << where;  // Qt disables hidden actions
        if (e.outcome == Separator) {
            continue;
        }
        EXPECT_EQ(action->objectName(), Q(e.name)) << where;
        EXPECT_EQ(action->text(), Q(e.caption)) << where;
        EXPECT_EQ(host.Item(Q(e.name)), action) << where;
        EXPECT_EQ(host.Item(Q(e.name).toUpper()), action) << "names ignore case: " << where;
        if (e.outcome == Submenu) {
            EXPECT_EQ(host.Menu(Q(e.name)), action->menu()) << where;
        }
    }
    for (auto it = remaining.begin(); it != remaining.end(); ++it) {
        EXPECT_TRUE(it.value().isEmpty()) << it.key().toStdString() << " has extra items";
    }
}

TEST(FrmMenusCatalogue, EveryItemAnswersAsCatalogued) {
    ScriptedDialogs dialogs;
    FrmMenus host;
    for (const Expected& e : kItems) {
        if (e.outcome == Separator || e.outcome == Submenu) {
            continue;
        }
        const std::string where = std::string(e.menu) + " / " + e.name;
        host.PRespuesta = kEarlier;
        host.show();  // only to see whether the handler calls Salir
        dialogs.ChoosePopupItems({Q(e.name)});
        QAction* chosen = host.Mostrar(Q(e.menu), QPoint(10, 20));
        EXPECT_EQ(chosen, host.Item(Q(e.name))) << where;
        EXPECT_EQ(dialogs.shownMenus.back(), Q(e.menu)) << where;
        switch (e.outcome) {
            case Sets:
                EXPECT_EQ(host.PRespuesta, Q(e.answer)) << where;
                break;
            case Keeps:
                EXPECT_EQ(host.PRespuesta, kEarlier) << where;
                break;
            case Caption:  // the design element's caption, which has no blanks to trim
                EXPECT_EQ(host.PRespuesta, Q(e.caption)) << where;
                break;
            case Tag:  // the design element has no tag
                EXPECT_EQ(host.PRespuesta, "") << where;
                break;
            case Separator:
            case Submenu:
                break;
        }
        EXPECT_EQ(host.isVisible(), !e.salir) << where << ": Salir";
        host.hide();
    }
}
