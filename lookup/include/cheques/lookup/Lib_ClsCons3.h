#pragma once

#include <QString>
#include <memory>

#include "cheques/lookup/MascaraConsulta.h"
#include "cheques/runtime/Collection.h"
#include "cheques/runtime/Variant.h"

namespace vexilo {
class VexUtil;
}

namespace lookup {

class Lib_FrmCons3;

/// The lookup request: how a data-entry screen asks the clerk to pick a record. The caller sets
/// the public fields, calls ConsultaSearch with a SELECT statement or a table or view name, and
/// reads the choice in ValorDevuelto, Valores and Cantidades. For a name the request builds the
/// statement itself, from the query-mask file or from the table's own columns, at most N rows
/// ("TopConsArt", 1000 by default). It shows the list window (or the tree window) modally through
/// the dialog seam and runs its queries on the default database component. Settings are read
/// from the configuration table when the request is created.
class Lib_ClsCons3 {
  public:
    /// A request with the settings of the configuration table ("UsaConsultaLIKE", the stock
    /// colours, "MostrarStockenConsultas"...), read through the default database component.
    Lib_ClsCons3();
    /// Ends the request; the collections a caller holds (Valores, Cantidades) stay valid.
    ~Lib_ClsCons3();
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    // ---- Public fields, in declaration order ----
    rt::Variant StkNivel1;            ///< The colour of stock level 1 ("Stk_Nivel1"), 0 when empty.
    rt::Variant StkNivel2;            ///< The colour of stock level 2 ("Stk_Nivel2"), 0 when empty.
    rt::Variant StkNivel3;            ///< The colour of stock level 3 ("Stk_Nivel3"), 0 when empty.
    rt::Variant StkNivel4;            ///< The colour of stock level 4 ("Stk_Nivel4"), 0 when empty.
    QString MuestraStock;             ///< "MostrarStockenConsultas": "SI" colours articles by stock
    rt::CollectionRef CmpsDevueltos;  ///< created empty with the request; never read by it
    rt::CollectionRef Valores;        ///< after a request, the chosen values (nothing: cancelled)
    rt::CollectionRef Cantidades;     ///< after a list request, the chosen quantities
    bool Checks = false;              ///< check boxes (several rows); false after each request
    rt::Variant ValorDevuelto;        ///< after a request, the chosen value
    QString gConnString;              ///< handed to the list window
    QString gRutaMascaraConsultas;    ///< the query-mask file
    bool gUsarMascarasConsultas = false;  ///< build the statements of names from the masks
    bool UsaCantidades = false;           ///< quantities in the list window
    QString CampoDevuelto;  ///< the field whose value ValorDevuelto receives; "" after a request
    bool GrabarAnchos = false;  ///< the list window stores its column widths when it closes

    /// Asks the clerk to pick a record (see the class comment). SQL is a complete statement (any
    /// text containing "SELECT") or a table or view name. The optional arguments, when given:
    /// cmpsDevueltos, the captions whose texts a single choice returns in Valores (emptied and
    /// set to nothing on return); Clave, the first search text; CampoBusqueda, the search column
    /// (the request may set it); Where, the condition for a mask without one (wrapped in
    /// parentheses in the caller's variable); SentenciaOpcional, the statement to use unchanged
    /// for a name instead of the one from its columns; TreeView, the tree window instead of the
    /// list; ValoresDefault, the values whose rows start ticked. Run-time errors are passed over
    /// step by step; none reaches the caller.
    void ConsultaSearch(QString SQL, rt::CollectionRef* cmpsDevueltos = nullptr,
                        const QString& Clave = {}, QString* CampoBusqueda = nullptr,
                        QString* Where = nullptr, const QString& SentenciaOpcional = {},
                        bool TreeView = false, const QString& ValoresDefault = {});

    /// Whether "UsaConsultaLIKE" was "SI" when the request was created.
    bool ConsultaLikeActiva() const { return consultaLikeActiva_; }
    /// The query mask last read for a request.
    const MascaraConsulta& Mascara() const { return mascara_; }

  private:
    // The statement of a name: from its mask, or from its columns; nothing when the mask has
    // no search column (the clerk has been told).
    bool SentenciaDeNombre(const QString& SQL, int filas, const QString& SentenciaOpcional,
                           const QString& where, QString& sentencia, QString& campo);
    QString SentenciaDeTabla(const QString& SQL, int filas, QString& campo);
    void MostrarLista(const QString& sentencia, const QString& campo,
                      const rt::CollectionRef* cmpsDevueltos, const QString& Clave,
                      const QString& ValoresDefault);
    void MostrarArbol(const QString& sentencia);
    void Limpiar(rt::CollectionRef* cmpsDevueltos);
    vexilo::VexUtil& Util();

    MascaraConsulta mascara_;
    std::unique_ptr<vexilo::VexUtil> util_;
    bool consultaLikeActiva_ = false;
};

}  // namespace lookup
