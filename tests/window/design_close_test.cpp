// Closing the main window with the last run or a named design open: the question about unsaved
// edits from the Close button, File > Close and the title bar, what Save, Discard and Cancel do
// to the design's own file and to the last run, a design file that cannot be written, and the
// modified mark that edits in the form and in the check panel set and loads and saves clear.

#include "window_fixture.h"

namespace ferrolux::testing {
namespace {

using Answer = DesignFileActions::CloseAnswer;

enum class CloseBy { Button, Menu, TitleBar };

struct CloseCase
{
    const char *what;
    CloseBy by;
    bool named; // a design saved as AMP.DAT is open; otherwise the last run
    bool edit;
    Answer answer;
    int questions;
    bool designSaved;  // Amp.DAT holds the edit afterwards
    bool lastRunSaved; // Ferrolux.DAT holds the edit afterwards
    bool closed;       // the window closed (the form quit, or the title bar's close went on)
};

TEST(DesignClose, ANamedDesignsEditsAreAskedAboutAndSavedToItsOwnFile)
{
    const CloseCase cases[] = {
        {"button, save", CloseBy::Button, true, true, Answer::Save, 1, true, true, true},
        {"button, discard", CloseBy::Button, true, true, Answer::Discard, 1, false, true, true},
        {"button, cancel", CloseBy::Button, true, true, Answer::Cancel, 1, false, false, false},
        {"button, no edit", CloseBy::Button, true, false, Answer::Cancel, 0, false, false, true},
        {"menu, save", CloseBy::Menu, true, true, Answer::Save, 1, true, true, true},
        {"menu, cancel", CloseBy::Menu, true, true, Answer::Cancel, 1, false, false, false},
        {"title bar, save", CloseBy::TitleBar, true, true, Answer::Save, 1, true, true, true},
        {"title bar, discard", CloseBy::TitleBar, true, true, Answer::Discard, 1, false, false,
         true},
        {"title bar, cancel", CloseBy::TitleBar, true, true, Answer::Cancel, 1, false, false,
         false},
        // The last run: Close saves it anyway, so only the title bar asks.
        {"last run, button", CloseBy::Button, false, true, Answer::Cancel, 0, false, true, true},
        {"last run, title bar, save", CloseBy::TitleBar, false, true, Answer::Save, 1, false, true,
         true},
        {"last run, title bar, discard", CloseBy::TitleBar, false, true, Answer::Discard, 1, false,
         false, true},
        {"last run, title bar, cancel", CloseBy::TitleBar, false, true, Answer::Cancel, 1, false,
         false, false},
        {"last run, title bar, no edit", CloseBy::TitleBar, false, false, Answer::Cancel, 0, false,
         false, true},
    };
    for (const CloseCase &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder(ProgramFolder::Example);
        const QString amp = folder.path() + QStringLiteral("AMP.DAT");
        MainUnderTest w(folder);
        if (c.named) {
            ASSERT_EQ(w.actions()->saveDesignAs(amp), QString());
        }
        w.answer = c.answer;
        w.show();
        if (c.edit) {
            w.type("TxtPriR", QStringLiteral("2.10"));
            EXPECT_TRUE(w.window.isWindowModified());
        }
        bool closed = false;
        switch (c.by) {
        case CloseBy::Button:
            w.click("CmdClose");
            closed = !w.quitCodes.empty();
            break;
        case CloseBy::Menu:
            w.trigger("actionClose");
            closed = !w.quitCodes.empty();
            break;
        case CloseBy::TitleBar:
            closed = w.window.close();
            break;
        }
        EXPECT_EQ(w.closeQuestions, c.questions);
        EXPECT_EQ(closed, c.closed);
        EXPECT_EQ(readLastRun(folder.read("AMP.DAT")).values.primaryResistance == "2.10",
                  c.designSaved);
        EXPECT_EQ(readLastRun(folder.read(kLastRunFileName)).values.primaryResistance == "2.10",
                  c.lastRunSaved);
        if (c.edit) {
            EXPECT_EQ(w.quitCodes.empty(), !c.lastRunSaved); // only a save of the last run quits
        }
        EXPECT_TRUE(w.failures.isEmpty()) << w.failures.join('\n').toStdString();
    }
}

TEST(DesignClose, ADesignFileThatCannotBeWrittenKeepsTheWindowOpenAndSaysWhy)
{
    for (const CloseBy by : {CloseBy::Button, CloseBy::TitleBar}) {
        SCOPED_TRACE(static_cast<int>(by));
        ProgramFolder folder(ProgramFolder::Example);
        const QString amp = folder.path() + QStringLiteral("AMP.DAT");
        MainUnderTest w(folder);
        ASSERT_EQ(w.actions()->saveDesignAs(amp), QString());
        w.answer = Answer::Save;
        w.show();
        w.type("TxtPriR", QStringLiteral("2.10"));
        // The design's file became a folder: nothing can replace it.
        ASSERT_TRUE(QFile::remove(amp));
        ASSERT_TRUE(QDir().mkdir(amp));
        if (by == CloseBy::Button) {
            w.click("CmdClose");
        } else {
            EXPECT_FALSE(w.window.close());
        }
        EXPECT_TRUE(w.quitCodes.empty());
        EXPECT_EQ(w.failures.size(), 1);
        EXPECT_TRUE(w.window.isWindowModified());
        EXPECT_EQ(folder.read(kLastRunFileName), exampleLastRunFileBytes());
    }
}

TEST(DesignClose, ModifiedMarkFollowsTheDifferenceFromTheLastLoadOrSave)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest w(folder);
    const QString original = w.child<QLineEdit>("TxtX")->text();
    const auto typed = [&](const char *field, const char *text) {
        return [&w, field, text] { w.type(field, QLatin1String(text)); };
    };
    const auto saveAs = [&] { w.actions()->saveDesignAs(folder.path() + "AMP.DAT"); };
    // Each step, whether the title is marked afterwards, and what the design must then hold.
    using Holds = std::function<bool(const Design &)>;
    const Holds any = [](const Design &) { return true; };
    const std::tuple<const char *, std::function<void()>, bool, Holds> steps[] = {
        {"fresh", [] {}, false, any},
        {"edit X", typed("TxtX", "12"), true, any},
        {"X typed back", [&] { w.type("TxtX", original); }, false, any},
        {"clear data", [&] { w.click("CmdClr"); }, true, any},
        {"load saved data", [&] { w.trigger("actionLoadData"); }, false, any},
        {"edit a current", typed("TxtSec1I_0", "0.2"), true,
         [](const Design &d) { return d.run.secondaries[0].current == "0.2"; }},
        {"save as", saveAs, false, any},
        {"ambient", typed("checkAmbient", "41"), true,
         [](const Design &d) { return d.extras.thermal.ambientC == 41; }},
        {"ambient typed back", typed("checkAmbient", "40"), false, any},
        {"emissivity", typed("checkEmissivity", "0.5"), true,
         [](const Design &d) { return d.extras.thermal.emissivity == 0.5; }},
        {"save as", saveAs, false, any},
        {"hot-spot allowance", typed("checkHotSpot", "12"), true,
         [](const Design &d) { return d.extras.thermal.hotSpotAllowanceK == 12; }},
        {"save as", saveAs, false, any},
        {"insulation class, one step down by the keyboard",
         [&] { QTest::keyClick(w.child<QComboBox>("checkClass"), Qt::Key_Down); }, true,
         [](const Design &d) {
             return d.extras.thermal.insulationClass != ThermalInputs{}.insulationClass;
         }},
    };
    for (const auto &[what, act, modified, holds] : steps) {
        SCOPED_TRACE(what);
        act();
        EXPECT_EQ(w.window.isWindowModified(), modified);
        EXPECT_TRUE(holds(w.window.form()->design()));
    }
    EXPECT_TRUE(w.window.windowTitle().startsWith(QStringLiteral("AMP.DAT[*]")));
}

} // namespace
} // namespace ferrolux::testing
