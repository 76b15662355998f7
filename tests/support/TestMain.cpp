#include <gtest/gtest.h>
#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

// Every test program runs on the offscreen platform, in a pinned locale (Spanish, Argentina:
// "," as decimal separator, day/month/year dates) and with its own configuration folder.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cheques-tests"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
