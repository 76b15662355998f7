#pragma once

#include <QString>

// The shortage report of an articles list (F12): the question and the row it inserts into
// V_MV_FALTANTES.
namespace lookup {

inline const QString kTituloFaltante = QString::fromUtf8("Atención!");

// The confirmation text, naming the article by its id and description.
QString PreguntaFaltante(const QString& idArticulo, const QString& descripcion);

// "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values(...)" with the
// moment as text, the id fitted to 25 characters, the trimmed description and the user; quotes
// in the values are doubled, so each value stays inside its quotes.
QString SentenciaFaltante(const QString& fechaHora, const QString& idArticulo,
                          const QString& descripcion, const QString& usuario);

}  // namespace lookup
