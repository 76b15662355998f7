#include "Teclas.h"

#include <QKeyEvent>
#include <array>

namespace lookup::teclas {

namespace {

struct Equivalencia {
    int qtKey;
    int codigo;
};

constexpr std::array<Equivalencia, 16> kEquivalencias{{
    {Qt::Key_Backspace, kRetroceso},
    {Qt::Key_Return, kEnter},
    {Qt::Key_Enter, kEnter},
    {Qt::Key_Escape, kEscape},
    {Qt::Key_Space, kEspacio},
    {Qt::Key_PageUp, kRePag},
    {Qt::Key_PageDown, kAvPag},
    {Qt::Key_End, kFin},
    {Qt::Key_Home, kInicio},
    {Qt::Key_Left, kIzquierda},
    {Qt::Key_Up, kArriba},
    {Qt::Key_Right, kDerecha},
    {Qt::Key_Down, kAbajo},
    {Qt::Key_Insert, kInsertar},
    {Qt::Key_Delete, kSuprimir},
    {Qt::Key_Tab, kTabulador},
}};

// The keypad's operators, from code 106 on: * + (separator) - . /
constexpr std::array<char, 6> kOperadores{'*', '+', ',', '-', '.', '/'};

constexpr std::array<Equivalencia, 5> kOperadoresQt{{
    {Qt::Key_Asterisk, kNumericoPor},
    {Qt::Key_Plus, kNumericoPor + 1},
    {Qt::Key_Minus, kNumericoPor + 3},
    {Qt::Key_Period, kNumericoPor + 4},
    {Qt::Key_Slash, kNumericoDividido},
}};

}  // namespace

int ShiftDe(Qt::KeyboardModifiers modificadores) {
    int shift = 0;
    if (modificadores & Qt::ShiftModifier) {
        shift |= kShift;
    }
    if (modificadores & Qt::ControlModifier) {
        shift |= kCtrl;
    }
    if (modificadores & Qt::AltModifier) {
        shift |= kAlt;
    }
    return shift;
}

int CodigoDe(int qtKey, Qt::KeyboardModifiers modificadores) {
    for (const Equivalencia& e : kEquivalencias) {
        if (e.qtKey == qtKey) {
            return e.codigo;
        }
    }
    const bool numerico = modificadores & Qt::KeypadModifier;
    if (numerico && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return kNumerico0 + (qtKey - Qt::Key_0);
    }
    if (numerico) {
        for (const Equivalencia& e : kOperadoresQt) {
            if (e.qtKey == qtKey) {
                return e.codigo;
            }
        }
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F1 + (kUltimaDeFuncion - kF1)) {
        return kF1 + (qtKey - Qt::Key_F1);
    }
    // Digits, letters and the few signs between them share their codes with Qt's keys.
    if (qtKey >= kPrimeraTipeable && qtKey <= kUltimaTipeable) {
        return qtKey;
    }
    return kNinguna;
}

Tecla DeEvento(const QKeyEvent& evento) {
    return {CodigoDe(evento.key(), evento.modifiers()), ShiftDe(evento.modifiers())};
}

bool VaALaCaja(int codigo) {
    return codigo == kRetroceso || (codigo >= kPrimeraTipeable && codigo <= kUltimaTipeable) ||
           (codigo >= kNumerico0 && codigo <= kUltimaDeFuncion);
}

QString TextoDe(int codigo) {
    if (codigo >= kPrimeraTipeable && codigo <= kUltimaTipeable) {
        return QString(QChar(static_cast<char16_t>(codigo)));
    }
    if (codigo >= kNumerico0 && codigo <= kNumerico9) {
        return QString(QChar(static_cast<char16_t>(u'0' + (codigo - kNumerico0))));
    }
    if (codigo >= kNumericoPor && codigo <= kNumericoDividido) {
        return QString(QLatin1Char(kOperadores[static_cast<size_t>(codigo - kNumericoPor)]));
    }
    if (codigo == kEspacio) {
        return QStringLiteral(" ");
    }
    return {};
}

}  // namespace lookup::teclas
