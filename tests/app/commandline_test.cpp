// korva in a terminal without a display: --help and --version answer, a
// plain start says why it cannot open its window, a bad option is refused.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

Result RunKorva(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(QString(KORVA_BINARY_DIR) + "/bin/korva", arguments);
    Result result;
    if (!process.waitForFinished(30000)) return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

TEST(CommandLineTest, HelpAndVersionWorkWithoutADisplay) {
    const Result help = RunKorva({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--nosplash"));
    EXPECT_TRUE(help.out.contains("project"));
    const Result version = RunKorva({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("KORVA ")) << version.out.toStdString();
}

TEST(CommandLineTest, WithoutADisplayTheProgramSaysSo) {
    const Result plain = RunKorva({});
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_TRUE(plain.err.contains("no display")) << plain.err.toStdString();
    EXPECT_TRUE(plain.err.contains("korva-batch"));
}

} // namespace
