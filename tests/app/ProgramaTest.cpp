// The program as a process: --help and --version are answered without a display, and any other
// argument is left alone (the window reads none).
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "Printers.h"
#include "cheques/Version.h"

namespace {

constexpr const char* kVersionLine = "cheques " CHEQUES_VERSION_STRING "\n";

struct Case {
    const char* name;
    QStringList args;
    const char* starts;  // how standard output begins
};

class ChequesAnswers : public ::testing::TestWithParam<Case> {};

QProcessEnvironment WithoutADisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

// No display at all: the answer must come before any window is made.
TEST_P(ChequesAnswers, WithoutADisplay) {
    QProcess process;
    process.setProcessEnvironment(WithoutADisplay());
    process.start(QStringLiteral(CHEQUES_PATH), GetParam().args);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith(QLatin1String(GetParam().starts))) << out.toStdString();
    EXPECT_EQ(process.readAllStandardError(), "");
}

INSTANTIATE_TEST_SUITE_P(Options, ChequesAnswers,
                         ::testing::Values(Case{"Version", {"--version"}, kVersionLine},
                                           Case{"ShortVersion", {"-v"}, kVersionLine},
                                           Case{"Help", {"--help"}, "Usage: cheques"},
                                           Case{"ShortHelp", {"-h"}, "Usage: cheques"}),
                         CaseName());

// The window itself without a display: one line, where Qt would abort with a core.
TEST(Cheques, WithoutADisplayTheWindowSaysSoInOneLine) {
    QProcess process;
    process.setProcessEnvironment(WithoutADisplay());
    process.start(QStringLiteral(CHEQUES_PATH), QStringList());
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              "cheques: no se puede abrir una ventana: no hay pantalla (DISPLAY no está "
              "definida).\n");
}

}  // namespace
