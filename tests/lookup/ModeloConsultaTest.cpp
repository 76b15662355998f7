// The list window's rows, without a window.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>

#include "Printers.h"
#include "Regional.h"
#include "cheques/lookup/ModeloConsulta.h"

namespace {

using lookup::ModeloConsulta;

class ModeloTest : public ::testing::Test {
  protected:
    ModeloTest() { modelo.PonerColumnas({"A", "B"}); }

    void Fila(const rt::Variant& a, const rt::Variant& b, bool marcada = false) {
        modelo.AgregarFila({a, b}, marcada);
    }

    QStringList Columna(int columna) const {
        QStringList textos;
        for (int fila = 0; fila < modelo.Filas(); ++fila) {
            textos << modelo.Texto(fila, columna);
        }
        return textos;
    }

    ModeloConsulta modelo;
};

TEST_F(ModeloTest, ValuesAreWrittenAsTheirText) {
    const rt::Variant momento(QDateTime(QDate(2024, 2, 1), QTime(10, 11, 12)));
    Fila(3, 2.5);
    Fila(rt::Variant::Null(), momento);
    Fila(QString("x"), rt::Variant());
    EXPECT_EQ(Columna(0), (QStringList{"3", "", "x"}));
    EXPECT_EQ(Columna(1), (QStringList{Regional("2,5"), momento.ToString(), ""}));
    EXPECT_EQ(modelo.data(modelo.index(0, 1), Qt::DisplayRole).toString(), Regional("2,5"));
}

TEST_F(ModeloTest, MissingCellsAreEmptyAndExtraOnesIgnored) {
    modelo.AgregarFila({QString("solo")});
    modelo.AgregarFila({QString("a"), QString("b"), QString("c")});
    EXPECT_EQ(modelo.Texto(0, 1), "");
    EXPECT_EQ(modelo.Texto(1, 1), "b");
    EXPECT_EQ(modelo.Texto(1, 2), "") << "no such column";
    EXPECT_EQ(modelo.Texto(5, 0), "") << "no such row";
}

TEST_F(ModeloTest, SortingComparesTheShownTexts) {
    Fila(10, 1);
    Fila(9, 2);
    Fila(QString("b"), 3);
    Fila(QString("B"), 4);
    modelo.Ordenar(0, Qt::AscendingOrder);
    EXPECT_EQ(Columna(0), (QStringList{"10", "9", "b", "B"})) << "as texts, ignoring case";
    EXPECT_EQ(Columna(1), (QStringList{"1", "2", "3", "4"}));
    modelo.Ordenar(1, Qt::DescendingOrder);
    EXPECT_EQ(Columna(1), (QStringList{"4", "3", "2", "1"}));
}

TEST_F(ModeloTest, SortingIgnoresCaseInEveryLocale) {
    for (const char* nombre : {"Beto", "ANABEL", "ana", "beatriz", "Ana María"}) {
        Fila(QString::fromUtf8(nombre), 0);
    }
    modelo.Ordenar(0, Qt::AscendingOrder);
    EXPECT_EQ(Columna(0), (QStringList{"ana", "Ana María", "ANABEL", "beatriz", "Beto"}));
}

TEST_F(ModeloTest, SortingMovesTheSelectionWithItsRow) {
    Fila(QString("c"), 1);
    Fila(QString("a"), 2);
    Fila(QString("b"), 3);
    QItemSelectionModel seleccion(&modelo);
    seleccion.select(modelo.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QPersistentModelIndex guardado(modelo.index(2, 1));
    modelo.Ordenar(0, Qt::AscendingOrder);
    ASSERT_EQ(seleccion.selectedRows().size(), 1);
    EXPECT_EQ(seleccion.selectedRows().front().row(), 2);
    EXPECT_EQ(guardado.row(), 1);
    EXPECT_EQ(guardado.column(), 1);
}

TEST_F(ModeloTest, TicksColoursAndWeight) {
    Fila(QString("a"), 1, true);
    Fila(QString("b"), 2);
    EXPECT_TRUE(modelo.Marcada(0));
    EXPECT_FALSE(modelo.Marcada(1));
    EXPECT_FALSE(modelo.data(modelo.index(0, 0), Qt::CheckStateRole).isValid())
        << "no check boxes until asked";
    modelo.PonerCasillas(true);
    EXPECT_EQ(modelo.data(modelo.index(0, 0), Qt::CheckStateRole), Qt::Checked);
    EXPECT_FALSE(modelo.data(modelo.index(0, 1), Qt::CheckStateRole).isValid());
    EXPECT_TRUE(modelo.setData(modelo.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(modelo.Marcada(1));
    EXPECT_FALSE(modelo.setData(modelo.index(1, 1), QString("x"), Qt::EditRole));
    modelo.PonerEstilo(1, QColor(Qt::red), true);
    EXPECT_EQ(modelo.Color(1), QColor(Qt::red));
    EXPECT_TRUE(modelo.Negrita(1));
    EXPECT_EQ(modelo.data(modelo.index(1, 1), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(modelo.data(modelo.index(0, 1), Qt::ForegroundRole).isValid());
    modelo.Ordenar(0, Qt::DescendingOrder);
    EXPECT_TRUE(modelo.Negrita(0)) << "the style goes with its row";
    EXPECT_EQ(modelo.Texto(0, 0), "b");
}

TEST_F(ModeloTest, DistinctTextsInShownOrder) {
    Fila(QString("x"), QString("Salta"));
    Fila(QString("y"), QString("Jujuy"));
    Fila(QString("z"), QString("Salta"));
    modelo.Ordenar(0, Qt::DescendingOrder);
    EXPECT_EQ(modelo.TextosDistintos(1), (QStringList{"Salta", "Jujuy"}));
}

TEST_F(ModeloTest, ALoadShowsItsRowsAtOnce) {
    modelo.ComenzarCarga();
    Fila(QString("a"), 1);
    EXPECT_EQ(modelo.rowCount(), 0) << "not yet";
    modelo.TerminarCarga();
    EXPECT_EQ(modelo.rowCount(), 1);
    EXPECT_EQ(modelo.columnCount(), 2);
    EXPECT_EQ(modelo.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "B");
}

TEST_F(ModeloTest, EveryKindOfValueShowsItsOwnText) {
    const std::vector<rt::Variant> valores = {
        rt::Variant(int64_t{9000000000}),
        rt::Variant(rt::Currency::FromScaled(12345)),
        rt::Variant(true),
        rt::Variant(QDate(2024, 3, 5)),
        rt::Variant(-7),
        rt::Variant(0.1),
    };
    for (const rt::Variant& valor : valores) {
        Fila(valor, QString());
    }
    for (size_t i = 0; i < valores.size(); ++i) {
        EXPECT_EQ(modelo.Texto(static_cast<int>(i), 0), valores[i].ToString()) << i;
    }
}

TEST_F(ModeloTest, TextsOfEveryLengthAcrossManyRowsReadBack) {
    // Enough rows and long enough texts to fill several of the store's blocks, and texts longer
    // than a block's quarter, which are kept apart.
    constexpr int kFilas = 3000;
    const auto texto = [](int fila) {
        return QString(fila % 97 == 0 ? 5000 + fila : fila % 23, QChar(u'a' + fila % 26)) +
               QString::number(fila);
    };
    for (int fila = 0; fila < kFilas; ++fila) {
        Fila(texto(fila), fila);
    }
    modelo.PonerTexto(10, 0, QStringLiteral("cambiado"));
    for (int fila = 0; fila < kFilas; ++fila) {
        ASSERT_EQ(modelo.Texto(fila, 0), fila == 10 ? QStringLiteral("cambiado") : texto(fila));
        ASSERT_EQ(modelo.Texto(fila, 1), QString::number(fila));
    }
}

TEST_F(ModeloTest, StartsWithComparesTheTrimmedTextIgnoringCase) {
    Fila(QString("  Ana María "), 15);
    EXPECT_TRUE(modelo.EmpiezaCon(0, 0, u"ana m"));
    EXPECT_FALSE(modelo.EmpiezaCon(0, 0, u"maría"));
    EXPECT_TRUE(modelo.EmpiezaCon(0, 1, u"1"));
    EXPECT_TRUE(modelo.EmpiezaCon(0, 5, u"")) << "no such column: an empty text";
    EXPECT_FALSE(modelo.EmpiezaCon(0, 5, u"x"));
}

TEST_F(ModeloTest, ATickAfterSortingGoesToTheShownRow) {
    Fila(QString("b"), 1);
    Fila(QString("a"), 2);
    modelo.Ordenar(0, Qt::AscendingOrder);
    modelo.Marcar(0, true);
    modelo.PonerEstilo(1, QColor(0, 0, 255), false);
    modelo.Ordenar(0, Qt::DescendingOrder);
    EXPECT_EQ(modelo.Texto(1, 0), "a");
    EXPECT_TRUE(modelo.Marcada(1));
    EXPECT_FALSE(modelo.Marcada(0));
    EXPECT_EQ(modelo.Color(0), QColor(0, 0, 255));
    EXPECT_FALSE(modelo.Negrita(0));
    EXPECT_EQ(modelo.Color(1), std::nullopt);
}

}  // namespace
