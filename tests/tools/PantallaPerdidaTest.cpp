// Every program with windows ends cleanly when its display goes away (the X server ended, a
// remote session dropped): one line on standard error and exit status 1, never a crash.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "Printers.h"

namespace {

constexpr int kArranque = 10'000;  // milliseconds for the X server to take connections
constexpr int kVentana = 60'000;   // for the program's window to come up (a first demo included)
constexpr int kFin = 30'000;       // for the program to end once its display is gone

struct Programa {
    const char* name;
    const char* path;
    QStringList args;
    const char* title;  // the window to wait for, as a regular expression
};

void PrintTo(const Programa& programa, std::ostream* os) {
    *os << programa.name;
}

class PantallaPerdida : public ::testing::TestWithParam<Programa> {};

TEST_P(PantallaPerdida, EndsTheProgramWithALineAndStatusOne) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotool.isEmpty()) {
        GTEST_SKIP() << "needs a real X server to take away: Xvfb and xdotool (Debian packages "
                        "xvfb and xdotool)";
    }
    QProcess servidor;
    servidor.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    ASSERT_TRUE(servidor.waitForReadyRead(kArranque)) << "Xvfb did not start";
    const QString display = QLatin1Char(':') + QString::fromLatin1(servidor.readLine()).trimmed();

    QTemporaryDir datos;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.remove(QStringLiteral("QT_QPA_PLATFORM"));
    entorno.insert(QStringLiteral("DISPLAY"), display);
    entorno.insert(QStringLiteral("XDG_DATA_HOME"), datos.path());
    entorno.insert(QStringLiteral("XDG_CONFIG_HOME"), datos.path());
    QProcess programa;
    programa.setProcessEnvironment(entorno);
    programa.start(QString::fromUtf8(GetParam().path), GetParam().args);

    QProcess ventana;
    ventana.setProcessEnvironment(entorno);
    ventana.start(xdotool, {"search", "--sync", "--onlyvisible", "--name",
                            QString::fromUtf8(GetParam().title)});
    const bool vista = ventana.waitForFinished(kVentana) && ventana.exitCode() == 0;
    ventana.kill();
    servidor.kill();
    servidor.waitForFinished();
    ASSERT_TRUE(vista) << "the window never came up: "
                       << programa.readAllStandardError().toStdString();

    ASSERT_TRUE(programa.waitForFinished(kFin)) << "the program outlived its display";
    EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit) << "it crashed";
    EXPECT_EQ(programa.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(programa.readAllStandardError())
                    .contains(QStringLiteral("se perdió la conexión con la pantalla")));
}

INSTANTIATE_TEST_SUITE_P(
    Programas, PantallaPerdida,
    ::testing::Values(Programa{"cheques", CHEQUES_PATH, {}, "^Consulta de Cheques$"},
                      Programa{"consulta", CONSULTA_PATH, {"VT_CLIENTES"}, "^Consulta\\.\\.\\.$"}),
    CaseName());

}  // namespace
