#pragma once

#include <memory>

class QTranslator;

namespace ui {

// What every program of the family does once its QApplication exists, for as long as it runs:
// Qt's own texts (standard buttons, input prompts, the edit boxes' menus) in Spanish whatever
// the session's language, the family's icon and desktop entry for the task bar, and a clean end
// when the display goes away (X server ended, remote session dropped): one line on standard
// error and exit status 1 instead of a crash while the windows are torn down.
class Aplicacion {
  public:
    Aplicacion();
    ~Aplicacion();
    Aplicacion(const Aplicacion&) = delete;
    Aplicacion& operator=(const Aplicacion&) = delete;

    // Whether Qt's Spanish texts were found and installed.
    bool EnCastellano() const { return traductor_ != nullptr; }

  private:
    std::unique_ptr<QTranslator> traductor_;
};

}  // namespace ui
