#include <gtest/gtest.h>
#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

// Every test program runs on the offscreen platform, in a pinned locale and with its own
// configuration folder. The locale is the clerks' own, Spanish (Argentina: "," as decimal
// separator, day/month/year dates), unless CHEQUES_TEST_LOCALE names another ("C" for the bare
// locale of servers and minimal desktops): the windows' tests run under both.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cheques-tests"));
    const QString locale = qEnvironmentVariable("CHEQUES_TEST_LOCALE", QStringLiteral("es_AR"));
    QLocale::setDefault(QLocale(locale));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
