#pragma once

#include <QString>
#include <cstdint>

namespace ado {

// One provider error as the connection's Errors collection holds it.
class Error {
  public:
    Error() = default;
    Error(int32_t number, const QString& description, const QString& sqlState, int32_t nativeError,
          const QString& source)
        : number_(number),
          description_(description),
          sqlState_(sqlState),
          nativeError_(nativeError),
          source_(source) {}

    int32_t Number() const { return number_; }
    const QString& Description() const { return description_; }
    const QString& SQLState() const { return sqlState_; }
    int32_t NativeError() const { return nativeError_; }
    const QString& Source() const { return source_; }

  private:
    int32_t number_ = 0;
    QString description_;
    QString sqlState_;
    int32_t nativeError_ = 0;
    QString source_;
};

}  // namespace ado
