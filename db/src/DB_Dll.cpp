#include "cheques/db/DB_Dll.h"

#include <utility>

#include "cheques/runtime/DefaultInstance.h"
#include "cheques/vexilo/VexUtil.h"

namespace db {

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;

DB_Dll& DB_Dll::Default() {
    return rt::DefaultInstance<DB_Dll>::Get();
}

const std::shared_ptr<ado::Connection>& DB_Dll::gCnn() {
    if (!cnn_) {
        cnn_ = ado::Connection::Create();
    }
    return cnn_;
}

void DB_Dll::SetgCnn(std::shared_ptr<ado::Connection> conexion) {
    cnn_ = std::move(conexion);
    gConnString = cnn_ ? cnn_->ConnectionString() : QString();
}

vexilo::VexUtil& DB_Dll::Util() {
    if (!util_) {
        util_ = std::make_unique<vexilo::VexUtil>();
    }
    return *util_;
}

}  // namespace db
