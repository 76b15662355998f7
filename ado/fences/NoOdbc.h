// Forced into every file of a room of ado that must not use ODBC (ado/CMakeLists.txt): naming
// ODBC's handles or return type, as its headers and every header of src/odbc do, stops the build.
#pragma once
#pragma GCC poison SQLHANDLE SQLHENV SQLHDBC SQLHSTMT SQLRETURN
