#include "DemoDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cheques/ado/Connection.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/SharedFile.h"

namespace {

const QString kDatabaseFile = QStringLiteral("demo.db");
const QString kMasksFile = QStringLiteral("MASCARAS.DAT");
const QString kLockSuffix = QStringLiteral(".lock");
// The script makes every table in one transaction: one of them present means all are.
const char* const kWholeCheck =
    "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'TA_CONFIGURACION'";
// Making the database takes seconds; a program started beside its maker waits this long.
constexpr int kMakerWaitMs = 10 * 60 * 1000;
// A lock whose maker died before writing its name in it is taken over after this long; a live
// maker's lock never is (QLockFile asks the system).
constexpr int kStaleLockMs = 5'000;

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

void SetMade(bool* made, bool value) {
    if (made != nullptr) {
        *made = value;
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
    if (QFileInfo(Path()).size() == 0) {
        return false;  // missing, empty, or no file at all
    }
    try {
        auto cn = ado::Connection::Create();
        cn->Open(QStringLiteral("Provider=SQLite;Mode=Read;Data Source=") + Path());
        ado::Recordset rs = cn->Execute(QString::fromLatin1(kWholeCheck));
        return rs.Fields()[0].Value().ToLong() > 0;
    } catch (const rt::RuntimeError&) {
        return false;  // not a database
    }
}

QString DemoDatabase::LockPath() const {
    return Path() + kLockSuffix;
}

QString DemoDatabase::Script() {
    QFile file(QStringLiteral(":/demo/demo.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

bool DemoDatabase::Ensure(QString* error, bool* made) const {
    SetMade(made, false);
    return Exists() || Make(error, made, false);
}

bool DemoDatabase::Reset(QString* error) const {
    return Make(error, nullptr, true);
}

bool DemoDatabase::Make(QString* error, bool* made, bool again) const {
    if (!QDir().mkpath(folder_)) {
        SetError(error, QStringLiteral("cannot create the folder %1").arg(folder_));
        return false;
    }
    // One maker at a time; the others wait here and then find its database.
    QLockFile lock(LockPath());
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kMakerWaitMs)) {
        SetError(error,
                 lock.error() == QLockFile::LockFailedError
                     ? QStringLiteral("another program is still making it (%1)").arg(LockPath())
                     : QStringLiteral("cannot create the lock %1").arg(LockPath()));
        return false;
    }
    if (!again && Exists()) {
        return true;
    }
    RemoveLeftovers();
    if (!Create(error)) {
        return false;
    }
    SetMade(made, true);
    return true;
}

void DemoDatabase::RemoveLeftovers() const {
    // Under the lock no other maker is at work: a part file is what a killed one left.
    QDir folder(folder_);
    for (const QString& name : folder.entryList({kDatabaseFile + QStringLiteral(".*.part*")},
                                                QDir::Files | QDir::Hidden)) {
        folder.remove(name);
    }
}

bool DemoDatabase::Create(QString* error) const {
    // Made under a name of its own and renamed over the database when whole: an interrupted run
    // never leaves a half-made database where the tools look for one.
    QTemporaryFile part(Path() + QStringLiteral(".XXXXXX.part"));
    if (!part.open()) {
        SetError(error, QStringLiteral("cannot write in %1: %2").arg(folder_, part.errorString()));
        return false;
    }
    part.close();  // the embedded database writes it through a handle of its own
    try {
        auto cn = ado::Connection::Create();
        cn->Open(QStringLiteral("Provider=SQLite;Data Source=") + part.fileName());
        cn->Execute(Script());
        cn->Close();
    } catch (const rt::RuntimeError& e) {
        SetError(error, e.Description());
        return false;
    }
    if (!WriteMasks(error)) {
        return false;
    }
    // rename(2) puts the new file in place in one step, over the old one if there is one.
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(Path()).constData()) != 0) {
        SetError(error, QStringLiteral("cannot write %1: %2")
                            .arg(Path(), QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    part.setAutoRemove(false);
    return true;
}

bool DemoDatabase::WriteMasks(QString* error) const {
    QByteArray records;
    for (const Mask& mask : kMasks) {
        records += MaskRecord(mask);
    }
    if (const auto failure = rt::WriteFileWhole(MasksPath(), records)) {
        SetError(error, QStringLiteral("cannot write %1: %2").arg(failure->path, failure->reason));
        return false;
    }
    return true;
}
