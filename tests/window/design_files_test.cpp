// Named designs and the report leaving the main window: Open, edit, Save As and Open again;
// the modified mark; the "Discard changes?" question; Open Recent; Copy Report against the
// report tool's --check text; accessible names of every input.

#include "calculator_window.h"
#include "check_panel.h"
#include "default_files.h"
#include "design_extras.h"
#include "design_file_actions.h"
#include "help_actions.h"
#include "input_names.h"
#include "last_run_file.h"
#include "main_window.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <sstream>

namespace ferrolux::testing {
namespace {

struct DesignWindow
{
    explicit DesignWindow(const ProgramFolder &folder) : window(folder.path())
    {
        window.form()->setQuitFunction([this](int code) { quitCodes.push_back(code); });
        window.form()->setMessageFunction([](const QString &, const QString &) {});
        actions()->setFailureMessage([this](const QString &text) { failures << text; });
        actions()->setCloseQuestion([this] {
            ++questions;
            return answer;
        });
        window.load();
    }
    DesignFileActions *actions() const { return window.fileActions(); }
    QLineEdit *field(const char *name) const
    {
        return window.form()->findChild<QLineEdit *>(QLatin1String(name));
    }
    // Types into a field as a user does: select all, then the keys.
    void type(const char *name, const QString &text) const
    {
        QLineEdit *edit = field(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void trigger(const char *action) const { window.findChild<QAction *>(action)->trigger(); }

    MainWindow window;
    std::vector<int> quitCodes;
    QStringList failures;
    int questions = 0;
    DesignFileActions::CloseAnswer answer = DesignFileActions::CloseAnswer::Cancel;
};

TEST(Designs, OpenEditSaveAsOpenRoundTrip)
{
    ProgramFolder folder;
    folder.writeExample();
    const QString amp = folder.path() + QStringLiteral("Amp.DAT");
    DesignWindow w(folder);
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Last run[*] - Ferrolux Analysis Calculator"));

    w.type("TxtPriV", QStringLiteral("230"));
    w.type("TxtSec1I_1", QStringLiteral("0.25"));
    DesignExtras extras = w.window.form()->designExtras();
    extras.thermal.ambientC = 25;
    extras.unknown.emplace_back("future-key", "kept");
    w.window.form()->setDesignExtras(extras);
    const DesignState saved = w.window.form()->inputState();
    w.actions()->setFileQuestion([&](bool forSaving, const QString &) {
        EXPECT_TRUE(forSaving);
        return amp;
    });
    w.trigger("actionSaveDesignAs");
    ASSERT_TRUE(w.failures.isEmpty()) << w.failures.join('\n').toStdString();
    EXPECT_EQ(w.actions()->designName(), QStringLiteral("Amp.DAT"));

    // The file is in the last-run format with its extension block, readable without the window.
    const std::string bytes = folder.read("Amp.DAT");
    const LastRunLoad load = readLastRun(bytes);
    ASSERT_TRUE(load.complete()) << load.failure;
    EXPECT_EQ(load.values.primaryVoltage, "230");
    EXPECT_EQ(load.values.secondaries[1].current, "0.25");
    EXPECT_FALSE(load.values.example);
    EXPECT_EQ(readDesignExtras(bytes), extras);
    // The last-run file is Close's alone: saving a design leaves it as it was.
    EXPECT_EQ(folder.read(kLastRunFileName), exampleLastRunFileBytes());

    w.type("TxtPriV", QStringLiteral("1"));
    w.actions()->setFileQuestion([&](bool forSaving, const QString &) {
        EXPECT_FALSE(forSaving);
        return amp;
    });
    w.trigger("actionOpenDesign");
    EXPECT_EQ(w.window.form()->inputState(), saved);
    EXPECT_FALSE(w.actions()->isModified());
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Amp.DAT[*] - Ferrolux Analysis Calculator"));

    // Save Design writes to the design's own file without asking.
    w.type("TxtPriR", QStringLiteral("9.5"));
    w.actions()->setFileQuestion([](bool, const QString &) {
        ADD_FAILURE() << "Save Design asked for a name";
        return QString();
    });
    w.trigger("actionSaveDesign");
    EXPECT_EQ(readLastRun(folder.read("Amp.DAT")).values.primaryResistance, "9.5");
}

TEST(Designs, ModifiedMarkFollowsTheDifferenceFromTheLastLoadOrSave)
{
    ProgramFolder folder;
    folder.writeExample();
    DesignWindow w(folder);
    const QString original = w.field("TxtX")->text();
    struct Step
    {
        const char *what;
        std::function<void()> act;
        bool modified;
    };
    const Step steps[] = {
        {"fresh", [] {}, false},
        {"edit X", [&] { w.type("TxtX", QStringLiteral("12")); }, true},
        {"X typed back", [&] { w.type("TxtX", original); }, false},
        {"clear data", [&] { w.window.form()->findChild<QPushButton *>("CmdClr")->click(); }, true},
        {"load saved data", [&] { w.trigger("actionLoadData"); }, false},
        {"edit a current", [&] { w.type("TxtSec1I_0", QStringLiteral("0.2")); }, true},
        {"save as", [&] { w.actions()->saveDesignAs(folder.path() + QStringLiteral("B.DAT")); },
         false},
    };
    for (const Step &step : steps) {
        step.act();
        EXPECT_EQ(w.actions()->isModified(), step.modified) << step.what;
        EXPECT_EQ(w.window.isWindowModified(), step.modified) << step.what;
    }
}

TEST(Designs, ClosingByTheTitleBarAsksOnlyWithUnsavedEdits)
{
    using Answer = DesignFileActions::CloseAnswer;
    struct Case
    {
        const char *what;
        bool edit;
        Answer answer;
        int questions;
        bool closed;
        bool lastRunSaved; // Ferrolux.DAT holds the edit afterwards
    };
    const Case cases[] = {
        {"no edits: no question", false, Answer::Cancel, 0, true, false},
        {"save: what Close does", true, Answer::Save, 1, true, true},
        {"discard keeps the previous file", true, Answer::Discard, 1, true, false},
        {"cancel keeps the window", true, Answer::Cancel, 1, false, false},
    };
    for (const Case &c : cases) {
        ProgramFolder folder;
        folder.writeExample();
        DesignWindow w(folder);
        w.answer = c.answer;
        w.window.show();
        if (c.edit) {
            w.type("TxtPriV", QStringLiteral("240"));
        }
        EXPECT_EQ(w.window.close(), c.closed) << c.what;
        EXPECT_EQ(w.questions, c.questions) << c.what;
        EXPECT_EQ(readLastRun(folder.read(kLastRunFileName)).values.primaryVoltage == "240",
                  c.lastRunSaved)
            << c.what;
        EXPECT_EQ(w.quitCodes, c.lastRunSaved ? std::vector<int>{0} : std::vector<int>{}) << c.what;
    }
}

TEST(Designs, OpenRecentKeepsTheLastEightAndAFailedOpenChangesNothing)
{
    ProgramFolder folder;
    folder.writeExample();
    DesignWindow w(folder);
    for (int n = 1; n <= 10; ++n) {
        w.actions()->saveDesignAs(folder.path() + QStringLiteral("D%1.DAT").arg(n));
    }
    w.actions()->openDesign(folder.path() + QStringLiteral("D5.DAT"));
    QStringList expected = {QStringLiteral("D5.DAT")};
    for (const int n : {10, 9, 8, 7, 6, 4, 3}) {
        expected << QStringLiteral("D%1.DAT").arg(n);
    }
    QStringList names;
    for (const QString &path : w.actions()->recentDesigns()) {
        names << QFileInfo(path).fileName();
    }
    EXPECT_EQ(names, expected);
    // Kept in the main window's settings file, so a second window sees the same list.
    const QSettings settings(w.window.settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("designs/recent")).toStringList().size(), 8);

    const DesignState before = w.window.form()->inputState();
    folder.write("Short.DAT", "True\r\n\"117\"\r\n");
    for (const char *name : {"Short.DAT", "Missing.DAT"}) {
        EXPECT_FALSE(w.actions()->openDesign(folder.path() + QLatin1String(name)).isEmpty());
        EXPECT_EQ(w.window.form()->inputState(), before) << name;
        EXPECT_EQ(w.actions()->designName(), QStringLiteral("D5.DAT")) << name;
    }
    EXPECT_EQ(w.failures.size(), 2);
}

TEST(Designs, CopyReportIsTheReportToolsCheckText)
{
    ProgramFolder folder;
    folder.writeExample();
    DesignWindow w(folder);
    QApplication::clipboard()->clear();
    w.trigger("actionCopyReport");
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty()) << "nothing to copy before Calculate";

    w.window.form()->findChild<QPushButton *>("CmdCalc")->click();
    QProcess tool;
    tool.start(QStringLiteral(FERROLUX_REPORT_TOOL),
               {QStringLiteral("--check"), folder.path() + QLatin1String(kLastRunFileName)});
    ASSERT_TRUE(tool.waitForFinished(20000));
    const QString expected = QString::fromUtf8(tool.readAllStandardOutput());
    ASSERT_TRUE(expected.contains(QStringLiteral("Engineering checks")));

    w.trigger("actionCopyReport");
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
    w.trigger("actionCopyForumPost");
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("[code]\n") + expected + QStringLiteral("[/code]\n"));
    // The report's lines are the form's, one per item.
    EXPECT_TRUE(expected.startsWith(w.window.form()->reportLines().join('\n') + '\n'));

    // Ctrl+C copies the report only while the report has the focus.
    QAction *copy = w.window.findChild<QAction *>("actionCopyReport");
    EXPECT_EQ(copy->shortcut(), QKeySequence(QKeySequence::Copy));
    EXPECT_EQ(copy->shortcutContext(), Qt::WidgetShortcut);
    EXPECT_TRUE(w.window.form()->findChild<QListWidget *>("ListOut")->actions().contains(copy));
}

TEST(Designs, EveryInputHasAnAccessibleNameWithItsUnit)
{
    ProgramFolder folder;
    folder.writeExample();
    DesignWindow w(folder);
    for (QLineEdit *edit : w.window.form()->findChildren<QLineEdit *>()) {
        if (edit->objectName().startsWith(QLatin1String("Txt")) &&
            edit->objectName() != QLatin1String("Txt2QuickHelp")) {
            EXPECT_FALSE(edit->accessibleName().isEmpty()) << edit->objectName().toStdString();
        }
    }
    const std::pair<const char *, const char *> cases[] = {
        {"TxtSec1I_1", "Secondary 2 Current, amps"},
        {"TxtSec1V_5", "Secondary 6 Voltage, volts"},
        {"TxtPriR", "Primary Resistance, ohms"},
        {"TxtC", "Dimension C, centimetres"},
    };
    for (const auto &[name, spoken] : cases) {
        EXPECT_EQ(w.field(name)->accessibleName(), QLatin1String(spoken)) << name;
    }
    QAction *calculate = w.window.findChild<QAction *>("actionCalculate");
    EXPECT_TRUE(calculate->shortcuts().contains(QKeySequence(Qt::Key_F5)));
    EXPECT_TRUE(calculate->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Return)));
}

TEST(Designs, AboutNamesVersionLicenceDataFolderAndModelSources)
{
    const QString about = aboutText(QStringLiteral("/home/a & b/.local/share/Ferrolux/"));
    const QStringList expected = {
        QStringLiteral("Ferrolux ") + QStringLiteral(FERROLUX_VERSION),
        QStringLiteral("/home/a &amp; b/.local/share/Ferrolux/"), // escaped for the rich text
        QStringLiteral("McLyman"),
        QStringLiteral("convection"),
        QStringLiteral("rectifier"),
    };
    for (const QString &item : expected) {
        EXPECT_TRUE(about.contains(item)) << item.toStdString();
    }
    EXPECT_TRUE(about.contains(QRegularExpression(QStringLiteral("Licence: [A-Za-z0-9.-]+<"))));
}

} // namespace
} // namespace ferrolux::testing
