#pragma once

// The design of the tree window, in twips: the search box above the tree in picFields, and
// Frame1 with the buttons below it. The window keeps this size.
namespace lookup::diseno::arbol {

inline constexpr double kMargen = 120;        // around picFields and below Frame1
inline constexpr double kAnchoCampos = 5295;  // picFields, and the box and the tree in it
inline constexpr double kTopCaja = 240;       // below lblFieldName
inline constexpr double kTopArbol = 600;      // TreeV, below the search box
inline constexpr double kAltoArbol = 4800;
inline constexpr double kSeparacionMarco = 60;  // between picFields and Frame1

}  // namespace lookup::diseno::arbol
