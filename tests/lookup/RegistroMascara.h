#pragma once

#include <QByteArray>

namespace lookuptest {

// One record of a query-mask file, each field padded to its length with pad.
inline QByteArray RegistroMascara(const char* tabla, const char* campos, const char* filtro,
                                  char pad = ' ') {
    auto field = [pad](const char* text, int length) {
        QByteArray bytes(text);
        bytes.resize(length, pad);
        return bytes;
    };
    constexpr int kTexto = 100;
    constexpr int kCampos = 500;
    constexpr int kFin = 2;
    return field("texto uno", kTexto) + field(tabla, kTexto) + field(campos, kCampos) +
           field(filtro, kCampos) + field("", kFin);
}

}  // namespace lookuptest
