#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "cheques/ado/Recordset.h"
#include "cheques/runtime/Collection.h"
#include "cheques/runtime/Variant.h"

class QComboBox;
class QCompleter;
class QFont;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;

namespace vexilo {
class VexUtil;
}

namespace lookup {

class ListaConsulta;

// "Consulta...": the list window of the lookup component. The request fills its public fields
// and shows it modally through the dialog seam; showing it the first time loads it: the
// statement SQL is opened on the default database component, each field of the result becomes
// a column with a search box above it, each record a row, and the widths stored for the table
// in "CONSULTASLEN.KDX" are applied. The clerk positions the list by typing in a search box,
// narrows the statement with F5, sorts by clicking a header, ticks rows and enters quantities,
// and chooses with Enter, a double click or "&Aceptar" (or leaves with Escape or "&Cancelar");
// the window then hides itself, and the request reads the result fields and unloads it.
//
// Shared through rt::DefaultInstance<lookup::Lib_FrmCons3>. Its definitions are spread over one
// source file per concern: design and events, loading and layout, search and ordering, choice.
class Lib_FrmCons3 : public QDialog {
    Q_OBJECT

  public:
    Lib_FrmCons3();
    ~Lib_FrmCons3() override;

    // ---- Public fields, in declaration order ----
    rt::Variant StkNivel1;  // colours (red + 256 green + 65536 blue) of the four stock levels
    rt::Variant StkNivel2;
    rt::Variant StkNivel3;
    rt::Variant StkNivel4;
    QString MuestraStock;   // "SI" colours the rows of an articles statement by stock level
    QString SQL;            // the statement; a blank is appended at every load
    QString CampoDevuelto;  // caption of the column whose text a choice returns
    rt::CollectionRef CmpsDevueltos;  // captions whose texts a single choice returns in Valores
    bool CheckBoxes = false;          // rows carry check boxes: several rows are chosen
    QString gConnString;              // handed over by the request; not read here
    rt::Variant ValorDevuelto;        // the chosen value
    QString FiltroInicial;            // put in the first search box once the list is filled
    QString CampoBusqueda;            // handed over by the request; not read here
    bool OrdenarPorLwv = false;       // the list keeps its rows sorted itself
    rt::CollectionRef Valores;        // the chosen values; a new empty collection at each load
    rt::CollectionRef Cantidades;     // the quantities of the chosen rows; likewise
    bool UsaCantidades = false;       // quantities are entered in the "Cantidad" column
    QString ValoresDefault;           // rows whose CampoDevuelto value occurs in it start ticked
    bool CfgUsaConsultaLIKE = false;  // F5 searches with '%text%' rather than 'text%'
    bool GrabarCfg = false;           // store the column widths when the window is unloaded

    // ---- Public methods ----
    // Rebuilds the columns and the search boxes from the fields of the open result.
    void Encolumnar();
    // Adds one row per remaining record of the open result (the arguments do not limit it).
    void Leer(int32_t Cdesde, int16_t Cuantas);
    // Aligns the search boxes with the columns and sizes the list, the scroll bar and the window.
    void CalcularAncho();
    // The first row (from 1, in the shown order) whose text in the column of search box Clave
    // starts with QueValor, ignoring case and surrounding blanks; 0 when none does.
    int32_t Busqueda(int32_t Clave, const QString& QueValor);
    // The position (from 1) of the first column captioned Columna, ignoring case and
    // surrounding blanks; 0 when none is.
    int16_t IndiceColumna(const QString& Columna) const;
    // Unloads the window: stores the widths (with GrabarCfg) and empties the list. A failure is
    // shown in "Aviso al Operador" and the unload goes on.
    void Descargar();

    // ---- Controls, by their design names (also their objectNames) ----
    QFrame* Frame1() const { return frame1_; }
    QPushButton* CmdNueva() const { return cmdNueva_; }
    QPushButton* CmdCancelar() const { return cmdCancelar_; }
    QPushButton* CmdAceptar() const { return cmdAceptar_; }
    QWidget* picFields() const { return picFields_; }
    // Search box i ("CmbSearch", element i), or nullptr when it has not been created.
    QComboBox* CmbSearch(int i) const;
    int CmbSearchCount() const { return static_cast<int>(cajas_.size()); }
    // The field name a search box carries (its tag).
    QString Tag(int i) const;
    ListaConsulta* ListView1() const { return listView1_; }
    QLabel* lblFieldName() const { return lblFieldName_; }
    QScrollBar* HScroll1() const { return hScroll1_; }
    QMenu* MNU_Emergente() const { return mnuEmergente_; }

    // The index of the search box that last had the focus.
    int16_t CajaActual() const { return cajaActual_; }
    // The table named by the statement, key of the width file.
    const QString& TablaConsulta() const { return tablaConsulta_; }
    bool EsArticulos() const { return esArticulos_; }
    const QString& SQLInicial() const { return sqlInicial_; }
    const QString& SQLActual() const { return sqlActual_; }
    // The row the incremental search last stopped on (shown order, from 0), or -1.
    int ItemActual() const { return itemActual_; }

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // ---- design and events (Lib_FrmCons3.cpp) ----
    void Disenar();
    void DisenarBotones();
    void DisenarCampos();
    void DisenarMenu();
    QComboBox* CrearCaja(int i);
    // The completer lent to each new search box while it takes its line edit.
    QCompleter* SinCompletar();
    void OrdenDeTabulacion();
    int IndiceDeCaja(const QObject* objeto) const;
    bool FiltrarCaja(int i, QEvent* event);
    vexilo::VexUtil& Util();

    // ---- loading and layout (Lib_FrmCons3Carga.cpp) ----
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void HScroll1_Change();
    void CargarAnchos();
    void GrabarAnchos();
    void AlinearCajas();
    void SincronizarBarra();
    void AjustarPasoDeBarra();
    void Centrar();
    // A field's column caption: the configured name of a price class in an articles statement.
    QString Titulo(const QString& campo);
    QFont LetraDeCeldas() const;
    // The width, in pixels, of a column of a field that holds so many letters.
    int AnchoDeColumna(const QFont& letra, int letras, bool primera) const;
    // Resizes the columns given a width (pixels), then aligns the search boxes.
    void PonerAnchos(const std::vector<std::optional<int>>& anchos);
    // Whether the rows of an articles statement take their stock level's colour, in bold.
    bool ColoreaFilas() const;

    // ---- search and ordering (Lib_FrmCons3Busqueda.cpp) ----
    void CmbSearch_GotFocus(int i);
    void CmbSearch_LostFocus(int i);
    // True when the key was used up.
    bool CmbSearch_KeyDown(int i, int KeyCode, int Shift);
    void CmbSearch_Change(int i);
    void BusquedaEnBase(int i);
    void ListView1_ColumnClick(int columna);
    void CmdNueva_Click();
    void CmdCancelar_Click();
    void EscribirEnCaja(int KeyCode);
    void MostrarMenu(int i, const QPoint& posicionGlobal);
    void MNU_Llena_Click();
    void Ordenar();

    // ---- choice, quantities and shortages (Lib_FrmCons3Eleccion.cpp) ----
    void CmdAceptar_Click();
    void ListView1_KeyDown(int& KeyCode, int Shift);
    void ListView1_DblClick();
    // True when the key was used up (F12 on an articles list).
    bool Form_KeyDown(int KeyCode, int Shift);
    void CambiarCantidad(int KeyCode, int Shift);
    void InformarFaltante();
    // The text of a row in the column at position (from 1), "" for position 0.
    QString TextoEnColumna(int fila, int posicion) const;

    // Controls; each is owned by its parent widget.
    QFrame* frame1_ = nullptr;
    QPushButton* cmdNueva_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QWidget* picFields_ = nullptr;
    QWidget* franjaCajas_ = nullptr;  // clips the search boxes to the list's width
    std::vector<QComboBox*> cajas_;
    std::vector<QString> tags_;
    ListaConsulta* listView1_ = nullptr;
    QLabel* lblFieldName_ = nullptr;
    QScrollBar* hScroll1_ = nullptr;
    QMenu* mnuEmergente_ = nullptr;

    // Private state.
    bool esArticulos_ = false;
    QString tablaConsulta_;
    QString sqlInicial_;
    QString sqlActual_;
    QString ordenPor_;
    std::unique_ptr<ado::Recordset> rsConsulta_;
    int itemActual_ = -1;
    int16_t cajaActual_ = 0;
    int cajaDelMenu_ = 0;
    bool ordenada_ = false;  // the list's own sorting, once on, stays on
    int claveOrden_ = 0;
    bool descendente_ = false;
    bool cargada_ = false;
    bool sincronizando_ = false;
    bool anchosEnCurso_ = false;  // PonerAnchos resizes columns: the boxes wait for the last
    int maximoBarra_ = 0;         // HScroll1's range while some columns are out of view
    std::unique_ptr<vexilo::VexUtil> util_;
    std::unique_ptr<QCompleter> sinCompletar_;
};

}  // namespace lookup
