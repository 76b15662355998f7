#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A PostgreSQL server of its own for a test suite: a new cluster in a temporary folder
// (initdb), listening on a free local port (pg_ctl), reached through the psqlODBC driver.
// PostgreSQL refuses to run as root, so under root the cluster belongs to "nobody" and every
// server program runs as that user. The server is stopped and its folder removed when the
// object goes, and by a watchdog process if the test program dies first.
class PostgresServer {
  public:
    // Starts a server; on failure error() says why (missing binaries, initdb or pg_ctl output).
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    bool Running() const { return running_; }
    const QString& Error() const { return error_; }

    // Stops the server the way an administrator does ("fast": open sessions are ended), and
    // starts it again on the same port; both wait until done.
    bool Stop();
    bool Start();
    // Waits until a statement holding marker runs on the server (a bounded wait, so that one
    // that never starts cannot hang a test), then stops the server. False when the statement
    // never showed or the server did not stop. Meant to run on a thread of its own while the
    // test's thread runs the statement.
    bool StopOnceRunning(const QString& marker);

    // The ODBC connection string of the test database, as a client program writes it.
    QString ConnectionString() const;
    int Port() const { return port_; }
    static QString Database() { return QStringLiteral("cheques"); }
    static QString User() { return QStringLiteral("cajero"); }
    static QString Password() { return QStringLiteral("Cl4ve;Secreta"); }
    // The psqlODBC driver as odbcinst registers it.
    static QString Driver() { return QStringLiteral("PostgreSQL Unicode"); }

  private:
    bool Init();
    bool Ctl(const QStringList& arguments);
    bool Run(const QString& program, const QStringList& arguments, const QString& step,
             QString* output = nullptr);
    void StartWatchdog();
    QString DataDir() const;

    QTemporaryDir dir_;
    QString bin_;
    int port_ = 0;
    bool running_ = false;
    QString error_;
    std::unique_ptr<QProcess> watchdog_;
};
