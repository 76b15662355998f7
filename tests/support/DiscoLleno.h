#pragma once

#include <QString>

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

    // Takes every free byte left with a filler file; true when the disk is full.
    bool Llenar() const;

  private:
    TempDir dir_;
    bool montado_ = false;
    QString motivo_;
};
