#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "Printers.h"
#include "TempDir.h"
#include "cheques/ado/Connection.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/runtime/Variant.h"

namespace dbtest {

// An SQLite database file in a temporary folder, with a connection of its own for preparing
// tables and checking what the component left in them. A file name containing ORACLE makes
// the component take its Oracle road.
class SqliteDb {
  public:
    explicit SqliteDb(const QString& fileName = QStringLiteral("c.db"))
        : path_(dir_.File(fileName)), cn_(ado::Connection::Create()) {
        cn_->Open(Conn() + QStringLiteral(";Mode=ReadWriteCreate"));
    }

    QString Conn() const { return QStringLiteral("Provider=SQLite;Data Source=") + path_; }

    // Opens the component's connection on this database, as the connection opening leaves it.
    void OpenOn(db::DB_Dll& component, const QString& conn = {}) const {
        const QString text = conn.isEmpty() ? Conn() : conn;
        component.gCnn()->Open(text);
        component.gConnString = text;
    }

    void Exec(const QString& sql) const { cn_->Execute(sql); }

    rt::Variant Scalar(const QString& sql) const {
        ado::Recordset rs = cn_->Execute(sql);
        return rs.Fields()[0].Value();
    }

    // The first column of every row, as text.
    QStringList Column(const QString& sql) const {
        ado::Recordset rs = cn_->Execute(sql);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) {
            out << rs.Fields()[0].Value().ToText();
        }
        return out;
    }

    const QString& Path() const { return path_; }

  private:
    TempDir dir_;
    QString path_;
    std::shared_ptr<ado::Connection> cn_;
};

}  // namespace dbtest
