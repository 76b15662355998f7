#include "DemoDatabase.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "ado/Connection.h"
#include "runtime/RuntimeError.h"

namespace {

const QString kDatabaseFile = QStringLiteral("demo.db");
const QString kMasksFile = QStringLiteral("MASCARAS.DAT");

// A query-mask record: five fixed-length text fields, one byte a character, padded with blanks.
struct Mask {
    const char* title;
    const char* table;
    const char* columns;
    const char* filter;
};

constexpr Mask kMasks[] = {
    {"Clientes de Córdoba", "VT_CLIENTES", "|CODIGO|NOMBRE|CUIT|LOCALIDAD|",
     "Dada_De_Baja = 0 AND PROVINCIA = 'Córdoba'"},
    {"Proveedores", "VT_PROVEEDORES", "|CODIGO|NOMBRE|CUIT|LOCALIDAD|PROVINCIA|", ""},
    {"Artículos", "V_MA_ARTICULOS",
     "|Codigo|Descripcion|PRECIO1|PRECIO2|PRECIO4|Stock|PUNTOPEDIDO|idarticulo|", ""},
};

struct Field {
    qsizetype length;
    const char* text;
};

// The record's bytes in the Windows code page of the files (Latin-1 for every letter used).
QByteArray MaskRecord(const Mask& mask) {
    const Field fields[] = {
        {100, mask.title}, {100, mask.table}, {500, mask.columns}, {500, mask.filter}, {2, ""}};
    QByteArray record;
    for (const Field& field : fields) {
        QByteArray text = QString::fromUtf8(field.text).toLatin1().left(field.length);
        text.append(QByteArray(field.length - text.size(), ' '));
        record += text;
    }
    return record;
}

void SetError(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
}

}  // namespace

DemoDatabase::DemoDatabase(QString folder) : folder_(std::move(folder)) {}

QString DemoDatabase::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Vexilo/demo");
}

QString DemoDatabase::Path() const {
    return QDir(folder_).filePath(kDatabaseFile);
}

QString DemoDatabase::MasksPath() const {
    return QDir(folder_).filePath(kMasksFile);
}

QString DemoDatabase::ConnectionString() const {
    return QStringLiteral("Provider=SQLite;Data Source=") + Path();
}

bool DemoDatabase::Exists() const {
    return QFile::exists(Path());
}

QString DemoDatabase::Script() {
    QFile file(QStringLiteral(":/demo/demo.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

bool DemoDatabase::Ensure(QString* error) const {
    return Exists() || Create(error);
}

bool DemoDatabase::Reset(QString* error) const {
    return Create(error);
}

bool DemoDatabase::Create(QString* error) const {
    if (!QDir().mkpath(folder_)) {
        SetError(error, QStringLiteral("cannot create the folder %1").arg(folder_));
        return false;
    }
    // Made under another name and renamed when whole, so that an interrupted run never leaves a
    // half-made database where the tools look for one.
    const QString part = Path() + QStringLiteral(".part");
    QFile::remove(part);
    try {
        auto cn = ado::Connection::Create();
        cn->Open(QStringLiteral("Provider=SQLite;Mode=ReadWriteCreate;Data Source=") + part);
        cn->Execute(Script());
        cn->Close();
    } catch (const rt::RuntimeError& e) {
        QFile::remove(part);
        SetError(error, e.Description());
        return false;
    }
    if (!WriteMasks(error)) {
        QFile::remove(part);
        return false;
    }
    QFile::remove(Path());
    if (!QFile::rename(part, Path())) {
        QFile::remove(part);
        SetError(error, QStringLiteral("cannot write %1").arg(Path()));
        return false;
    }
    return true;
}

bool DemoDatabase::WriteMasks(QString* error) const {
    QSaveFile file(MasksPath());
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    for (const Mask& mask : kMasks) {
        file.write(MaskRecord(mask));
    }
    if (!file.commit()) {
        SetError(error, file.errorString());
        return false;
    }
    return true;
}
