#include "DbLog.h"

namespace db {

Q_LOGGING_CATEGORY(lcDb, "cheques.db")

}  // namespace db
