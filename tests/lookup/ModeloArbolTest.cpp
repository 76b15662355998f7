// The tree window's nodes: keys that differ only in case are one key.
#include <gtest/gtest.h>

#include <QString>

#include "ModeloArbol.h"
#include "cheques/runtime/RuntimeError.h"

namespace {

using lookup::ModeloArbol;

constexpr int32_t kClaveRepetida = 35602;
constexpr char16_t kFinAscii = 0x80;

// Whether a key is refused after another, both under the root.
bool Repetida(const QString& primera, const QString& segunda) {
    ModeloArbol modelo;
    const int raiz = modelo.Agregar(ModeloArbol::kNinguno, QStringLiteral("A"), QString());
    modelo.Agregar(raiz, QLatin1Char('A') + primera, QString());
    try {
        modelo.Agregar(raiz, QLatin1Char('A') + segunda, QString());
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), kClaveRepetida);
        return true;
    }
    return false;
}

// Every ASCII character, and letters beyond it whose case folds onto ASCII or onto each other.
QString Caracteres() {
    QString caracteres;
    for (char16_t c = 1; c < kFinAscii; ++c) {
        caracteres += QChar(c);
    }
    return caracteres + QString::fromUtf8("ñÑéÉ\u212A\u017F");
}

TEST(ModeloArbolTest, KeysEqualIgnoringCaseAreOneKeyAndNoOthersAre) {
    const QString caracteres = Caracteres();
    for (const QChar a : caracteres) {
        for (const QChar b : caracteres) {
            const bool iguales = QString(a).compare(QString(b), Qt::CaseInsensitive) == 0;
            ASSERT_EQ(Repetida(QString(a) + QLatin1Char('1'), QString(b) + QLatin1Char('1')),
                      iguales)
                << "U+" << std::hex << int{a.unicode()} << " then U+" << int{b.unicode()};
        }
    }
}

}  // namespace
