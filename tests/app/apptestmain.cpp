// The desktop and exchange tests share one QApplication; settings and runtime
// files go to temporary folders, so no test reads or writes the user's own.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    QTemporaryDir runtime;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName("Halvor Group");
    QCoreApplication::setApplicationName("KORVA");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
