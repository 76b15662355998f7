#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace rt {

// Error numbers raised by the program and its platform layers; provider errors are the
// signed 32-bit HRESULTs that the OLE DB providers report.
namespace err {
inline constexpr int32_t InvalidProcedureCall = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t InvalidUseOfNull = 94;
inline constexpr int32_t ObjectAlreadyLoaded = 360;
inline constexpr int32_t ItemNotFound = 3265;
inline constexpr int32_t ObjectClosed = 3704;
inline constexpr int32_t ProviderUnspecified = -2147467259;  // 0x80004005
inline constexpr int32_t ProviderSyntax = -2147217900;       // 0x80040E14
inline constexpr int32_t ProviderNoTable = -2147217865;      // 0x80040E37
inline constexpr int32_t ProviderIntegrity = -2147217873;    // 0x80040E2F
inline constexpr int32_t ProviderTimeout = -2147217871;      // 0x80040E31
}  // namespace err

// The one run-time error of the program: a number, its description and where it came from.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int32_t number, const QString& description, const QString& source = {});

    int32_t Number() const { return number_; }
    const QString& Description() const { return description_; }
    const QString& Source() const { return source_; }

    // The standard description of a run-time error number ("Overflow", "Type mismatch", ...).
    static QString StandardDescription(int32_t number);
    // Raises the error with its standard description.
    [[noreturn]] static void Raise(int32_t number, const QString& source = {});

  private:
    int32_t number_;
    QString description_;
    QString source_;
};

}  // namespace rt
