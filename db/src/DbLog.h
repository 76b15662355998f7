#pragma once

#include <QLoggingCategory>

namespace db {

// The program's log of the database component ("cheques.db"): failures that the component
// passes over without telling the user still leave a line here.
Q_DECLARE_LOGGING_CATEGORY(lcDb)

}  // namespace db
