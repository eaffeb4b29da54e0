// The calculator's command line through the real executable: --version and usage errors, also
// from a terminal without a display, and --help naming the data folder that the program's layout
// selects (a build folder keeps its data beside the program; an installed copy uses the user's
// data folder).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProcessRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// With `noDisplay`, the program runs as from a plain terminal: no display and no platform set.
ProcessRun runCalculator(const QString &program, const QStringList &arguments,
                         const QString &dataHome, bool noDisplay = false)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (noDisplay) {
            environment.remove(QString::fromLatin1(name));
        }
    }
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(CalculatorCommandLine, VersionUsageErrorsAndHelpNamingTheDataFolderOfEachLayout)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString dataHome = scratch.filePath(QStringLiteral("data-home"));
    const QString version = QStringLiteral("Ferrolux ") + FERROLUX_VERSION + '\n';
    // Arguments, exit status, the start of standard output, whether there is no display.
    const std::tuple<QStringList, int, QString, bool> cases[] = {
        {{"--version"}, 0, version, false}, {{"--version"}, 0, version, true},
        {{"--help"}, 0, "Usage: ", true},   {{"--no-such-option"}, 1, "", false},
        {{"a.DAT", "b.DAT"}, 2, "", false},
    };
    for (const auto &[arguments, exitCode, outStart, noDisplay] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString() + (noDisplay ? ", no display" : ""));
        const ProcessRun run = runCalculator(FERROLUX_CALCULATOR, arguments, dataHome, noDisplay);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_TRUE(outStart.isEmpty() || run.out.startsWith(outStart)) << run.out.toStdString();
        if (exitCode != 0) {
            EXPECT_FALSE(run.err.isEmpty()); // a usage error says what was wrong
        }
    }
    // A copy in root/usr/bin with its pictures in root/usr/share/ferrolux, as the package
    // installs it.
    const QString build = QFileInfo(QStringLiteral(FERROLUX_CALCULATOR)).absolutePath();
    const QString root = scratch.filePath(QStringLiteral("root"));
    ASSERT_TRUE(QDir().mkpath(root + "/usr/bin") && QDir().mkpath(root + "/usr/share/ferrolux"));
    ASSERT_TRUE(QFile::copy(FERROLUX_CALCULATOR, root + "/usr/bin/ferrolux"));
    ASSERT_TRUE(
        QFile::copy(build + "/Transformer-1.jpg", root + "/usr/share/ferrolux/Transformer-1.jpg"));
    // Program, data folder, picture folder.
    const std::tuple<QString, QString, QString> layouts[] = {
        {FERROLUX_CALCULATOR, build, build},
        {root + "/usr/bin/ferrolux", dataHome + "/Ferrolux", root + "/usr/share/ferrolux"},
    };
    for (const auto &[program, dataFolder, pictures] : layouts) {
        SCOPED_TRACE(program.toStdString());
        const ProcessRun run = runCalculator(program, {QStringLiteral("--help")}, dataHome);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("Data folder: " + dataFolder + '\n')) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains("Pictures: " + pictures + '\n')) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("DESIGN.DAT")));
    }
    // None of these runs writes anything anywhere.
    EXPECT_FALSE(QFileInfo::exists(dataHome));
}

} // namespace
