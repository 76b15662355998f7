#pragma once

#include <cstdint>

// The enumerations of ADO with their documented values, so that callers can pass either the
// named constant or the number a caller of the original interface would write.
namespace ado {

enum CursorTypeEnum : int {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum : int {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum CursorLocationEnum : int {
    adUseServer = 2,
    adUseClient = 3,
};

enum ObjectStateEnum : int {
    adStateClosed = 0,
    adStateOpen = 1,
};

// Command types and execute options; they may be combined with "|".
enum CommandTypeEnum : int {
    adCmdUnspecified = -1,
    adCmdUnknown = 8,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdTableDirect = 512,
    adExecuteNoRecords = 128,
};

enum SchemaEnum : int {
    adSchemaColumns = 4,
    adSchemaTables = 20,
};

// Data-type codes as Field::Type reports them.
enum DataTypeEnum : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

// Error numbers that ADO itself raises (not the provider); these never enter Connection::Errors.
namespace err {
inline constexpr int32_t NoCurrentRecord = 3021;            // BOF or EOF is true
inline constexpr int32_t ArgumentsWrongType = 3001;         // arguments out of range or in conflict
inline constexpr int32_t ItemNotFound = 3265;               // no field or property of that name
inline constexpr int32_t ObjectClosed = 3704;               // operation not allowed when closed
inline constexpr int32_t ObjectOpen = 3705;                 // operation not allowed when open
inline constexpr int32_t ProviderNotFound = 3706;           // provider cannot be found
inline constexpr int32_t ConnectionNotUsable = 3709;        // connection closed or invalid
inline constexpr int32_t CantFetchBackwards = -2147217884;  // 0x80040E24, provider's
inline constexpr int32_t NoTransaction = -2147168242;       // 0x8004D00E, provider's
}  // namespace err

}  // namespace ado
