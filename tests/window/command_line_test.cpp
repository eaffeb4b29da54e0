// The calculator's command line through the real executable: --version, and --help naming the
// data folder that the program's layout selects (a build folder keeps its data beside the
// program; an installed copy uses the user's data folder).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
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
    if (noDisplay) {
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
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

// A copy of the calculator in `root`/usr/bin with its pictures in `root`/usr/share/ferrolux,
// as the package installs it; returns the program's path.
QString installCopy(const QString &root)
{
    const QString calculator = QStringLiteral(FERROLUX_CALCULATOR);
    const QString buildFolder = QFileInfo(calculator).absolutePath();
    QDir().mkpath(root + QStringLiteral("/usr/bin"));
    QDir().mkpath(root + QStringLiteral("/usr/share/ferrolux"));
    const QString program = root + QStringLiteral("/usr/bin/ferrolux");
    EXPECT_TRUE(QFile::copy(calculator, program));
    EXPECT_TRUE(QFile::copy(buildFolder + QStringLiteral("/Transformer-1.jpg"),
                            root + QStringLiteral("/usr/share/ferrolux/Transformer-1.jpg")));
    return program;
}

TEST(CalculatorCommandLine, HelpNamesTheDataFolderOfEachLayout)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString dataHome = scratch.filePath(QStringLiteral("data-home"));
    const QString installed = installCopy(scratch.filePath(QStringLiteral("root")));
    const QString buildCalculator = QStringLiteral(FERROLUX_CALCULATOR);

    struct Case
    {
        const char *layout;
        QString program;
        QString dataFolder;
        QString pictures;
    };
    const Case cases[] = {
        {"build folder", buildCalculator, QFileInfo(buildCalculator).absolutePath(),
         QFileInfo(buildCalculator).absolutePath()},
        {"installed", installed, dataHome + QStringLiteral("/Ferrolux"),
         scratch.filePath(QStringLiteral("root/usr/share/ferrolux"))},
    };
    for (const Case &c : cases) {
        const ProcessRun run = runCalculator(c.program, {QStringLiteral("--help")}, dataHome);
        EXPECT_EQ(run.exitCode, 0) << c.layout << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("Data folder: ") + c.dataFolder + '\n'))
            << c.layout << "\n"
            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("Pictures: ") + c.pictures + '\n'))
            << c.layout << "\n"
            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("DESIGN.DAT"))) << c.layout;
    }
    // Asking for help writes nothing anywhere.
    EXPECT_FALSE(QFileInfo::exists(dataHome));
}

TEST(CalculatorCommandLine, VersionAndUsageErrors)
{
    QTemporaryDir scratch;
    const QString calculator = QStringLiteral(FERROLUX_CALCULATOR);
    struct Case
    {
        QStringList arguments;
        int exitCode;
        QString outStart;
        bool noDisplay = false;
    };
    const QString version = QStringLiteral("Ferrolux ") + FERROLUX_VERSION + '\n';
    const Case cases[] = {
        {{QStringLiteral("--version")}, 0, version},
        // Printing needs no display: a terminal without one still gets the answer.
        {{QStringLiteral("--version")}, 0, version, true},
        {{QStringLiteral("--help")}, 0, QStringLiteral("Usage: "), true},
        {{QStringLiteral("--no-such-option")}, 1, QString()},
        {{QStringLiteral("a.DAT"), QStringLiteral("b.DAT")}, 2, QString()},
    };
    for (const Case &c : cases) {
        const ProcessRun run = runCalculator(calculator, c.arguments, scratch.path(), c.noDisplay);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.startsWith(c.outStart)) << run.out.toStdString();
        if (c.exitCode != 0) {
            EXPECT_FALSE(run.err.isEmpty()) << c.arguments.join(' ').toStdString();
        }
    }
}

} // namespace
