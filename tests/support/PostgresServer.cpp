#include "PostgresServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

constexpr int kWaitMs = 120 * 1000;  // longest wait for one server program
constexpr int kPollMs = 50;
constexpr int kMaxPolls = 1200;
constexpr const char* kVersionsDir = "/usr/lib/postgresql";
constexpr const char* kServerUser = "nobody";
constexpr const char* kServerGroup = "nogroup";

// The bin folder of the newest PostgreSQL installed, or nothing.
QString ServerBinaries() {
    QStringList versions =
        QDir(QLatin1String(kVersionsDir)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), numeric);
    for (auto it = versions.crbegin(); it != versions.crend(); ++it) {
        const QString bin =
            QLatin1String(kVersionsDir) + QLatin1Char('/') + *it + QLatin1String("/bin");
        if (QFile::exists(bin + QLatin1String("/initdb")) &&
            QFile::exists(bin + QLatin1String("/pg_ctl"))) {
            return bin;
        }
    }
    return {};
}

// A local TCP port nobody listens on right now.
int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

bool IsRoot() {
    return ::geteuid() == 0;
}

// The command line that runs program as the server's owner.
QStringList AsOwner(const QString& program, const QStringList& arguments) {
    if (!IsRoot()) {
        return QStringList{program} + arguments;
    }
    return QStringList{QStringLiteral("setpriv"),
                       QStringLiteral("--reuid=") + QLatin1String(kServerUser),
                       QStringLiteral("--regid=") + QLatin1String(kServerGroup),
                       QStringLiteral("--clear-groups"), program} +
           arguments;
}

bool GiveToOwner(const QString& path) {
    if (!IsRoot()) {
        return true;
    }
    const passwd* owner = ::getpwnam(kServerUser);
    return owner != nullptr &&
           ::chown(QFile::encodeName(path).constData(), owner->pw_uid, owner->pw_gid) == 0;
}

QString ShellQuoted(const QStringList& words) {
    QStringList quoted;
    for (QString word : words) {
        quoted << QLatin1Char('\'') + word.replace(QLatin1String("'"), QLatin1String("'\\''")) +
                      QLatin1Char('\'');
    }
    return quoted.join(QLatin1Char(' '));
}

}  // namespace

PostgresServer::PostgresServer() : bin_(ServerBinaries()) {
    if (bin_.isEmpty()) {
        error_ = QStringLiteral("no PostgreSQL server under %1 (scripts/install-deps installs it)")
                     .arg(QLatin1String(kVersionsDir));
        return;
    }
    if (!dir_.isValid() || !GiveToOwner(dir_.path())) {
        error_ = QStringLiteral("cannot prepare the folder %1 for the server").arg(dir_.path());
        return;
    }
    port_ = FreePort();
    if (Init() && Start()) {
        Run(bin_ + QLatin1String("/createdb"),
            {QStringLiteral("-h"), dir_.path(), QStringLiteral("-p"), QString::number(port_),
             QStringLiteral("-U"), User(), Database()},
            QStringLiteral("createdb"));
    }
}

PostgresServer::~PostgresServer() {
    if (watchdog_) {
        // Closing its input tells the watchdog to stop the server and remove the folder.
        watchdog_->closeWriteChannel();
        watchdog_->waitForFinished(kWaitMs);
    }
}

QString PostgresServer::DataDir() const {
    return dir_.filePath(QStringLiteral("data"));
}

bool PostgresServer::Init() {
    const QString passwordFile = dir_.filePath(QStringLiteral("password"));
    QFile file(passwordFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(Password().toUtf8() + '\n') < 0) {
        error_ = QStringLiteral("cannot write %1").arg(passwordFile);
        return false;
    }
    file.close();
    GiveToOwner(passwordFile);
    // Local (socket) sessions are trusted, so the tools need no password; clients over TCP
    // give one, as they would to a real server.
    const bool done =
        Run(bin_ + QLatin1String("/initdb"),
            {QStringLiteral("-D"), DataDir(), QStringLiteral("-U"), User(),
             QStringLiteral("--pwfile=") + passwordFile, QStringLiteral("--auth-local=trust"),
             QStringLiteral("--auth-host=scram-sha-256"), QStringLiteral("-E"),
             QStringLiteral("UTF8"), QStringLiteral("--no-locale"), QStringLiteral("--no-sync")},
            QStringLiteral("initdb"));
    if (done) {
        StartWatchdog();
    }
    return done;
}

bool PostgresServer::Start() {
    if (bin_.isEmpty()) {
        return false;
    }
    // No durability is needed for test data; the server only listens locally.
    const QString options =
        QStringLiteral(
            "-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off "
            "-c synchronous_commit=off")
            .arg(port_)
            .arg(dir_.path());
    running_ = Ctl({QStringLiteral("-l"), dir_.filePath(QStringLiteral("server.log")),
                    QStringLiteral("-o"), options, QStringLiteral("start")});
    if (!running_) {
        QFile log(dir_.filePath(QStringLiteral("server.log")));
        if (log.open(QIODevice::ReadOnly)) {
            error_ += QStringLiteral("\nserver log:\n") + QString::fromUtf8(log.readAll());
        }
    }
    return running_;
}

bool PostgresServer::Stop() {
    const bool stopped =
        Ctl({QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop")});
    running_ = running_ && !stopped;
    return stopped;
}

bool PostgresServer::StopOnceRunning(const QString& marker) {
    QString marked = marker;
    const QString sql = QStringLiteral(
                            "SELECT COUNT(*) FROM pg_stat_activity WHERE state = 'active' "
                            "AND pid <> pg_backend_pid() AND position('%1' in query) > 0")
                            .arg(marked.replace(QLatin1String("'"), QLatin1String("''")));
    const QStringList psql{
        QStringLiteral("-h"),   dir_.path(), QStringLiteral("-p"), QString::number(port_),
        QStringLiteral("-U"),   User(),      QStringLiteral("-d"), Database(),
        QStringLiteral("-tAc"), sql};
    for (int poll = 0; poll < kMaxPolls; ++poll) {
        QString count;
        if (Run(bin_ + QLatin1String("/psql"), psql, QStringLiteral("psql"), &count) &&
            count.trimmed().toInt() > 0) {
            return Stop();
        }
        QThread::msleep(kPollMs);
    }
    return false;
}

bool PostgresServer::Ctl(const QStringList& arguments) {
    return Run(bin_ + QLatin1String("/pg_ctl"),
               QStringList{QStringLiteral("-D"), DataDir(), QStringLiteral("-w"),
                           QStringLiteral("-t"), QString::number(kWaitMs / 1000)} +
                   arguments,
               QStringLiteral("pg_ctl ") + arguments.last());
}

bool PostgresServer::Run(const QString& program, const QStringList& arguments, const QString& step,
                         QString* output) {
    const QStringList command = AsOwner(program, arguments);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The server programs run in the folder they own; the caller's folder may be closed to them.
    process.setWorkingDirectory(dir_.path());
    process.start(command.first(), command.mid(1));
    const bool finished = process.waitForFinished(kWaitMs);
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        if (output != nullptr) {
            *output = QString::fromLocal8Bit(process.readAll());
        }
        return true;
    }
    error_ += QStringLiteral("%1 failed (%2): %3\n")
                  .arg(step, finished ? QString::number(process.exitCode()) : process.errorString(),
                       QString::fromLocal8Bit(process.readAll()));
    return false;
}

void PostgresServer::StartWatchdog() {
    // Waits for its input to close (this object going, or the test program dying), then stops
    // the server at once and removes its folder.
    const QString stop = ShellQuoted(AsOwner(
        bin_ + QLatin1String("/pg_ctl"), {QStringLiteral("-D"), DataDir(), QStringLiteral("-m"),
                                          QStringLiteral("immediate"), QStringLiteral("stop")}));
    watchdog_ = std::make_unique<QProcess>();
    watchdog_->setWorkingDirectory(dir_.path());
    watchdog_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    watchdog_->setStandardOutputFile(QProcess::nullDevice());
    watchdog_->start(
        QStringLiteral("sh"),
        {QStringLiteral("-c"), QStringLiteral("cat >/dev/null; cd /; %1 >/dev/null 2>&1; rm -rf %2")
                                   .arg(stop, ShellQuoted({dir_.path()}))});
    watchdog_->waitForStarted(kWaitMs);
}

QString PostgresServer::ConnectionString() const {
    // psqlODBC reports booleans as text unless told otherwise.
    return QStringLiteral(
               "Driver={%1};Server=127.0.0.1;Port=%2;Database=%3;UID=%4;PWD={%5};BoolsAsChar=0;")
        .arg(Driver())
        .arg(port_)
        .arg(Database(), User(), Password());
}
