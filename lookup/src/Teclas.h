#pragma once

#include <QString>
#include <Qt>

class QKeyEvent;

// Keys as the list window's handlers know them: the platform's key codes (13 Enter, 45 Insert,
// 65 to 90 the letters, 96 to 105 the keypad digits, 112 on the function keys) and the shift
// state (1 Shift, 2 Ctrl, 4 Alt).
namespace lookup::teclas {

inline constexpr int kNinguna = 0;
inline constexpr int kRetroceso = 8;
inline constexpr int kTabulador = 9;
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;
inline constexpr int kEspacio = 32;
inline constexpr int kRePag = 33;
inline constexpr int kAvPag = 34;
inline constexpr int kFin = 35;
inline constexpr int kInicio = 36;
inline constexpr int kIzquierda = 37;
inline constexpr int kArriba = 38;
inline constexpr int kDerecha = 39;
inline constexpr int kAbajo = 40;
inline constexpr int kInsertar = 45;
inline constexpr int kSuprimir = 46;
inline constexpr int kPrimeraTipeable = 47;
inline constexpr int kUltimaTipeable = 93;
inline constexpr int kNumerico0 = 96;
inline constexpr int kNumerico9 = 105;
inline constexpr int kNumericoPor = 106;
inline constexpr int kNumericoDividido = 111;
inline constexpr int kF1 = 112;
inline constexpr int kF5 = 116;
inline constexpr int kF12 = 123;
inline constexpr int kUltimaDeFuncion = 125;

inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;

struct Tecla {
    int codigo = kNinguna;
    int shift = 0;
};

// The code and shift state of a key press; kNinguna for a key without a code here.
Tecla DeEvento(const QKeyEvent& evento);
int CodigoDe(int qtKey, Qt::KeyboardModifiers modificadores);
int ShiftDe(Qt::KeyboardModifiers modificadores);

// Whether a key typed while the list has the focus goes to the current search box.
bool VaALaCaja(int codigo);

// The text a key typed on the list adds to the search box: letters in capitals, digits (the
// keypad's too), the keypad's operators; "" for the keys that only move the focus there.
QString TextoDe(int codigo);

}  // namespace lookup::teclas
