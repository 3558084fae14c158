// A fresh install of the build tree into a temporary prefix, and running programs from it.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace gonilux::installtest {

struct ProcessResult {
    int Status = -1; // exit code; -1 when the program did not start or crashed
    QString Out;
    QString Err;
};

// Runs `program` with `arguments` (no shell) in `environment`; waits up to a minute.
ProcessResult
RunProcess(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// The keys of one [Group] of a desktop-entry style file (.desktop, .thumbnailer); empty when
// the file or the group is missing.
std::map<QString, QString> ReadDesktopGroup(const QString& path, const QString& group);

// A list value of such a file split at ';' (the empty item after the last ';' dropped).
QStringList SplitList(const QString& value);

// Each test installs the build tree into its own temporary prefix.
class InstalledTree : public ::testing::Test {
  protected:
    void SetUp() override;

    QString Bin(const QString& name) const;
    QString Data(const QString& relative) const; // under <prefix>/<datadir>
    QString Scratch() const { return scratch_.path(); }

    // The environment of a desktop session's helper: the installed bin folder first on PATH,
    // no display of any kind.
    QProcessEnvironment DesktopHelperEnvironment() const;

  private:
    QTemporaryDir prefix_;
    QTemporaryDir scratch_;
};

} // namespace gonilux::installtest
