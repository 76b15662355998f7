#pragma once

#include <QString>
#include <ostream>

#include "TempDir.h"

// A small file system of its own (tmpfs) mounted in a temporary folder for one test, which the
// test fills to the last byte to see what a write does on a full disk. Mounting needs the
// superuser; elsewhere Motivo() says why there is none and the test skips.
class DiscoLleno {
  public:
    DiscoLleno();
    ~DiscoLleno();
    DiscoLleno(const DiscoLleno&) = delete;
    DiscoLleno& operator=(const DiscoLleno&) = delete;

    bool Montado() const { return montado_; }
    // Why no file system was mounted.
    const QString& Motivo() const { return motivo_; }
    QString Carpeta() const { return dir_.Path(); }
    QString Archivo(const QString& nombre) const { return dir_.File(nombre); }

    // Takes every free byte with a filler file but `paginasLibres` pages of memory (4096 bytes,
    // one for each file that holds anything); true when that is what is left.
    bool Llenar(int paginasLibres = 0) const;

  private:
    TempDir dir_;
    bool montado_ = false;
    QString motivo_;
};

// The two full disks a write meets: no room at all (not even for a lock file), and room for one
// page only (a lock file takes it; the new text finds none).
struct CasoDiscoLleno {
    const char* name;
    int paginasLibres;
};

inline void PrintTo(const CasoDiscoLleno& caso, std::ostream* os) {
    *os << caso.name;
}

inline constexpr CasoDiscoLleno kDiscosLlenos[] = {{"NoRoomAtAll", 0}, {"RoomForTheLockOnly", 1}};
