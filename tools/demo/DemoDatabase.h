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
    // True when the database is there whole: its file opens and holds the demo's tables. An
    // empty file, or one that is no database or lacks them, does not count.
    bool Exists() const;

    // Makes the database unless it is there whole; true when it is there afterwards, with
    // `made` telling whether this call made it. Programs started together make it once: the
    // others wait for the maker (under a lock file beside the database) and open its work. A
    // failure leaves the folder as it was and puts its reason in `error`.
    bool Ensure(QString* error = nullptr, bool* made = nullptr) const;
    // Makes it again from the script, in place of the one there.
    bool Reset(QString* error = nullptr) const;

    // The T-SQL script that makes it.
    static QString Script();

  private:
    bool Make(QString* error, bool* made, bool again) const;
    void RemoveLeftovers() const;
    bool Create(QString* error) const;
    bool WriteMasks(QString* error) const;
    QString LockPath() const;

    QString folder_;
};
