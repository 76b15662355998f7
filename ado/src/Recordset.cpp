#include "cheques/ado/Recordset.h"

#include "AdoError.h"
#include "RecordsetImpl.h"
#include "cheques/ado/Connection.h"

namespace ado {

Recordset::Recordset() : impl_(std::make_unique<RecordsetImpl>()) {}
Recordset::Recordset(std::unique_ptr<RecordsetImpl> impl) : impl_(std::move(impl)) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&& other) noexcept = default;
Recordset& Recordset::operator=(Recordset&& other) noexcept = default;

RecordsetImpl& Recordset::Impl() {
    if (!impl_) {
        impl_ = std::make_unique<RecordsetImpl>();
    }
    return *impl_;
}

// A moved-from recordset reads as a closed one with default properties.
const RecordsetImpl& Recordset::ConstImpl() const {
    static const RecordsetImpl closed;
    return impl_ ? *impl_ : closed;
}

RecordsetImpl& Recordset::ClosedImpl() {
    RecordsetImpl& impl = Impl();
    if (impl.IsOpen()) {
        RaiseAdoError(err::ObjectOpen);
    }
    return impl;
}

void Recordset::Open(const QString& source, std::shared_ptr<Connection> activeConnection,
                     int cursorType, int lockType, int options) {
    Impl().Open(source, std::move(activeConnection), cursorType, lockType, options);
}

void Recordset::Open(const QString& source, const QString& connectionString, int cursorType,
                     int lockType, int options) {
    auto connection = Connection::Create();
    connection->Open(connectionString);
    Impl().Open(source, std::move(connection), cursorType, lockType, options);
}

void Recordset::Close() {
    Impl().Close();
}
int32_t Recordset::RecordsAffected() const {
    return ConstImpl().recordsAffected;
}
int Recordset::State() const {
    return ConstImpl().IsOpen() ? adStateOpen : adStateClosed;
}
bool Recordset::Bof() const {
    return ConstImpl().Bof();
}
bool Recordset::Eof() const {
    return ConstImpl().Eof();
}
void Recordset::MoveFirst() {
    Impl().MoveFirst();
}
void Recordset::MoveLast() {
    Impl().MoveLast();
}
void Recordset::MoveNext() {
    Impl().MoveNext();
}
void Recordset::MovePrevious() {
    Impl().MovePrevious();
}
int32_t Recordset::RecordCount() const {
    return ConstImpl().RecordCount();
}

std::vector<std::vector<rt::Variant>> Recordset::GetRows(int32_t rows) {
    return Impl().GetRows(rows);
}

const ado::Fields& Recordset::Fields() const {
    return ConstImpl().Fields();
}
int Recordset::CursorType() const {
    return ConstImpl().cursorType;
}
void Recordset::SetCursorType(int cursorType) {
    ClosedImpl().cursorType = cursorType;
}
int Recordset::LockType() const {
    return ConstImpl().lockType;
}
void Recordset::SetLockType(int lockType) {
    ClosedImpl().lockType = lockType;
}
int Recordset::CursorLocation() const {
    return ConstImpl().cursorLocation;
}

void Recordset::SetCursorLocation(int cursorLocation) {
    RecordsetImpl& impl = ClosedImpl();
    impl.cursorLocation = cursorLocation;
    impl.cursorLocationSet = true;
}

const QString& Recordset::Source() const {
    return ConstImpl().source;
}

std::shared_ptr<Connection> Recordset::ActiveConnection() const {
    return ConstImpl().connection;
}

}  // namespace ado
