#pragma once

#include <QDialog>
#include <QString>

#include "cheques/runtime/Collection.h"
#include "cheques/runtime/Variant.h"

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMouseEvent;
class QPushButton;
class QTreeView;

namespace lookup {

class ModeloArbol;

// "Consulta...": the tree window of the lookup component. It shows the rows of a two-column
// statement (code, description) as an outline under the root "Consulta...", each code as deep
// as its length: a longer code goes under the code before it, a shorter one climbs until it
// meets a code as long. The clerk finds a node by typing its code or the start of its
// description, narrows the statement with F5, ticks nodes (a tick runs three levels down) when
// CheckBoxes is set, and chooses with Enter, a double click or "&Aceptar" (or leaves with Escape
// or "&Cancelar"); the window then hides itself and the request reads ValorDevuelto or Valores.
// The chosen code is looked up in the table of its kind (families, positions, cost centres).
//
// Shared through rt::DefaultInstance<lookup::Lib_FrmCons3Tree>. Its definitions are spread over
// one source file per concern: design and events, building the tree, search, choice.
class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT

  public:
    Lib_FrmCons3Tree();
    ~Lib_FrmCons3Tree() override;

    // ---- Public fields, in declaration order ----
    QString SQL;                      // the statement: code, description; narrowed by F5
    QString CampoDevuelto;            // "IDFAMILIA", "IDPOSICION" or "CODIGO"
    rt::CollectionRef CmpsDevueltos;  // released by Cancelar; not read here
    bool CheckBoxes = false;          // nodes carry check boxes: several codes are chosen
    QString gConnString;              // not read here
    rt::Variant ValorDevuelto;        // the chosen code, as its table has it
    QString FiltroInicial;            // not read here
    QString CampoBusqueda;            // not read here
    bool OrdenarPorLwv = false;       // not read here
    rt::CollectionRef Valores;        // the chosen codes; a new empty collection at each load
    rt::CollectionRef Cantidades;     // not read here
    bool UsaCantidades = false;       // not read here

    // ---- Controls, by their design names (also their objectNames) ----
    QFrame* Frame1() const { return frame1_; }
    QPushButton* CmdNueva() const { return cmdNueva_; }
    QPushButton* CmdCancelar() const { return cmdCancelar_; }
    QPushButton* CmdAceptar() const { return cmdAceptar_; }
    QWidget* picFields() const { return picFields_; }
    QTreeView* TreeV() const { return treeV_; }
    // The search box (element 0 of CmbSearch); nullptr for any other index.
    QComboBox* CmbSearch(int i = 0) const { return i == 0 ? cmbSearch_ : nullptr; }
    // The field the search box's F5 searches (its tag): "Descripcion" after the first F5.
    const QString& Tag() const { return tag_; }
    QLabel* lblFieldName() const { return lblFieldName_; }
    QMenu* MNU_Emergente() const { return mnuEmergente_; }

    // The nodes of TreeV.
    ModeloArbol& Nodos() const { return *modelo_; }
    // The statement the next F5 narrows, without its ordering clause when it has one.
    const QString& SQLBase() const { return sqlBase_; }
    // The ordering clause cut from the statement by the last F5, or "".
    const QString& SQLOrden() const { return sqlOrden_; }

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // ---- design and events (Lib_FrmCons3Tree.cpp) ----
    void Disenar();
    void DisenarCampos();
    void DisenarBotones();
    void DisenarMenu();
    bool TreeV_KeyDown(int KeyCode);
    bool TreeV_DblClick(const QMouseEvent& event);

    // ---- building the tree (Lib_FrmCons3TreeCarga.cpp) ----
    void Form_Load();
    void ArmarTreeVAutomatico();

    // ---- search (Lib_FrmCons3TreeBusqueda.cpp) ----
    void CmbSearch_Change();
    // True when the key was used up.
    bool CmbSearch_KeyDown(int KeyCode);
    void BusquedaEnBase();
    void CmdNueva_Click();
    void CmdCancelar_Click();
    // Selects a node and scrolls it into view, opening its ancestors.
    void Seleccionar(int nodo);

    // ---- choice (Lib_FrmCons3TreeEleccion.cpp) ----
    void TreeV_NodeCheck(int nodo);
    void CmdAceptar_Click();
    void ElegirUno();
    void ElegirMarcados();

    // Controls; each is owned by its parent widget.
    QFrame* frame1_ = nullptr;
    QPushButton* cmdNueva_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QWidget* picFields_ = nullptr;
    QTreeView* treeV_ = nullptr;
    ModeloArbol* modelo_ = nullptr;
    QComboBox* cmbSearch_ = nullptr;
    QLabel* lblFieldName_ = nullptr;
    QMenu* mnuEmergente_ = nullptr;

    // Private state.
    QString tag_;
    QString sqlBase_;
    QString sqlOrden_;
    bool cargada_ = false;
};

}  // namespace lookup
