#pragma once

#include <QByteArray>
#include <QString>

// Points the user's configuration folder (XDG_CONFIG_HOME) somewhere else while alive.
class ScopedConfigHome {
  public:
    explicit ScopedConfigHome(const QString& path) : previous_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", path.toUtf8());
    }
    ~ScopedConfigHome() { qputenv("XDG_CONFIG_HOME", previous_); }
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

  private:
    QByteArray previous_;
};
