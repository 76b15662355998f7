#pragma once

// The design of the list window, in twips. The layout formulas count the window's size with its
// frame, as the platform measures a window: its client area plus the non-client sizes below.
namespace lookup::diseno {

inline constexpr double kAnchoNoCliente = 120;
inline constexpr double kAltoNoCliente = 420;

inline constexpr double kAnchoVentana = 9120;  // with the frame
inline constexpr double kAltoVentana = 6420;

inline constexpr double kAnchoMarco = 4695;  // Frame1, the bar of the three buttons
inline constexpr double kAltoMarco = 615;
inline constexpr double kTopBoton = 120;
inline constexpr double kAnchoBoton = 1455;
inline constexpr double kAltoBoton = 375;
inline constexpr double kLeftNueva = 60;
inline constexpr double kLeftCancelar = 1620;

inline constexpr double kAnchoEtiqueta = 2000;  // lblFieldName
inline constexpr double kAltoEtiqueta = 225;
inline constexpr double kTopCajas = 240;  // the row of search boxes in picFields
inline constexpr double kAltoCaja = 315;
inline constexpr double kTopLista = 600;
inline constexpr double kAltoBarra = 255;  // HScroll1

// What the layout keeps around the list and its scroll bar.
inline constexpr double kMargenCampos = 480;     // picFields height below the window's
inline constexpr double kMargenLista = 600;      // list height below picFields'
inline constexpr double kMargenMarco = 420;      // Frame1 above the window's bottom
inline constexpr double kMargenBarra = 120;      // HScroll1 above picFields' bottom
inline constexpr double kMargenAncho = 120;      // picFields and HScroll1 narrower than the window
inline constexpr double kMargenListaAncho = 20;  // the list narrower than picFields
inline constexpr double kSeparacionCaja = 50;    // a search box narrower than its column

// Sizing to the columns.
inline constexpr double kExtraLista = 360;      // the list wider than its columns
inline constexpr double kExtraVentana = 280;    // the window wider than the list
inline constexpr double kMargenPantalla = 480;  // a window as wide as the screen, less this
inline constexpr double kMaximoBarra = 32700;
inline constexpr double kExtraBarra = 480;
inline constexpr double kFactorBarra = 0.6;

// A field's column is as wide as this many letters "X" at most.
inline constexpr int kLetrasMaximas = 60;

}  // namespace lookup::diseno
