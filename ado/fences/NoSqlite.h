// Forced into every file of a room of ado that must not use SQLite (ado/CMakeLists.txt): naming
// SQLite's handles, as its header and every header of src/sqlite do, stops the build.
#pragma once
#pragma GCC poison sqlite3 sqlite3_stmt sqlite3_value sqlite3_context
