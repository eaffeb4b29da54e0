// Closing the main window with a named design open: the question about its unsaved edits from
// the Close button, File > Close and the title bar, what Save, Discard and Cancel do to the
// design's own file and to the last run, a design file that cannot be written, and the
// modified mark that edits in the form and in the check panel set.

#include "window_fixture.h"

namespace ferrolux::testing {
namespace {

using Answer = DesignFileActions::CloseAnswer;

enum class CloseBy { Button, Menu, TitleBar };

struct CloseCase
{
    const char *what;
    CloseBy by;
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
        {"button, save", CloseBy::Button, true, Answer::Save, 1, true, true, true},
        {"button, discard", CloseBy::Button, true, Answer::Discard, 1, false, true, true},
        {"button, cancel", CloseBy::Button, true, Answer::Cancel, 1, false, false, false},
        {"button, no edit", CloseBy::Button, false, Answer::Cancel, 0, false, false, true},
        {"menu, save", CloseBy::Menu, true, Answer::Save, 1, true, true, true},
        {"menu, cancel", CloseBy::Menu, true, Answer::Cancel, 1, false, false, false},
        {"title bar, save", CloseBy::TitleBar, true, Answer::Save, 1, true, true, true},
        {"title bar, discard", CloseBy::TitleBar, true, Answer::Discard, 1, false, false, true},
        {"title bar, cancel", CloseBy::TitleBar, true, Answer::Cancel, 1, false, false, false},
    };
    for (const CloseCase &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder(ProgramFolder::Example);
        const QString amp = folder.path() + QStringLiteral("AMP.DAT");
        MainUnderTest w(folder);
        ASSERT_EQ(w.actions()->saveDesignAs(amp), QString());
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

TEST(DesignClose, EditsInTheFormAndInThePanelMarkTheTitleAndReachTheDesignWhole)
{
    // The field typed into, the text, and what the design must hold after the last key.
    using Holds = std::function<bool(const Design &)>;
    const std::tuple<const char *, const char *, Holds> edits[] = {
        {"TxtPriR", "2.10", [](const Design &d) { return d.run.primaryResistance == "2.10"; }},
        {"checkAmbient", "41", [](const Design &d) { return d.extras.thermal.ambientC == 41; }},
        {"checkEmissivity", "0.5",
         [](const Design &d) { return d.extras.thermal.emissivity == 0.5; }},
        {"checkHotSpot", "12",
         [](const Design &d) { return d.extras.thermal.hotSpotAllowanceK == 12; }},
        {"checkClass", "",
         [](const Design &d) {
             return d.extras.thermal.insulationClass != ThermalInputs{}.insulationClass;
         }},
    };
    for (const auto &[field, text, holds] : edits) {
        SCOPED_TRACE(field);
        ProgramFolder folder(ProgramFolder::Example);
        MainUnderTest w(folder);
        ASSERT_EQ(w.actions()->saveDesignAs(folder.path() + QStringLiteral("AMP.DAT")), QString());
        EXPECT_FALSE(w.window.isWindowModified());
        if (*text) {
            w.type(field, QLatin1String(text));
        } else {
            // The insulation class, one step down by the keyboard.
            QTest::keyClick(w.child<QComboBox>(QLatin1String(field)), Qt::Key_Down);
        }
        EXPECT_TRUE(holds(w.window.form()->design()));
        EXPECT_TRUE(w.window.isWindowModified());
        EXPECT_TRUE(w.window.windowTitle().startsWith(QStringLiteral("AMP.DAT[*]")));
    }
}

} // namespace
} // namespace ferrolux::testing
