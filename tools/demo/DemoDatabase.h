#pragma once

#include <QString>

// The demo database: a believable back office (articles, families, positions, cost centres,
// clients, suppliers, accounts and journal entries) that a person can open every window on
// without a server. It is made on first use, in a folder of the user's data, by running the
// T-SQL script shipped inside the program through the embedded database, with a query-mask file
// beside it.
class DemoDatabase {
  public:
    // The database in `folder`; the default is the user's data folder for the program family.
    explicit DemoDatabase(QString folder = DefaultFolder());

    static QString DefaultFolder();

    QString Path() const;
    QString MasksPath() const;
    QString ConnectionString() const;
    bool Exists() const;

    // Makes the database when it is missing; true when it is there afterwards. A failure leaves
    // no database behind and puts its reason in `error`.
    bool Ensure(QString* error = nullptr) const;
    // Makes it again from the script, in place of the one there.
    bool Reset(QString* error = nullptr) const;

    // The T-SQL script that makes it.
    static QString Script();

  private:
    bool Create(QString* error) const;
    bool WriteMasks(QString* error) const;

    QString folder_;
};
