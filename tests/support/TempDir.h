#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir();
    QString Path() const { return dir_.path(); }
    QString File(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
};
