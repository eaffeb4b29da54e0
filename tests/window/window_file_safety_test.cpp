// The window's side of saving the user's files: a rewrite in place is asked about first and a
// Cancel leaves the file as it was; a damaged file is named with the copy of its old bytes;
// another copy of the calculator saving the same file in between is noticed before an
// overwrite; the settings file is read only when it is a small regular file and never written
// through anything else; block records that do not read are told and kept; a DC load too large
// to compute never reaches the current field.

#include "../core/other_user.h"
#include "design_extras.h"
#include "rectifier_loads.h"
#include "window_fixture.h"
#include "window_settings.h"

#include <filesystem>
#include <sys/stat.h>

namespace ferrolux::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::AsOtherUser;
using testing_support::kNobody;

std::string exampleWith(const std::string &primaryVoltage)
{
    std::vector<std::string> records = splitRecords(exampleLastRunFileBytes());
    records[1] = primaryVoltage;
    return joinRecords(records, records.size());
}

std::string primaryVoltageIn(const std::string &bytes)
{
    return splitRecords(bytes).at(1);
}

// A folder only root may add to, holding a file owned by another user: as that user, a save can
// only rewrite the file in place.
struct InPlaceCase
{
    const char *what;
    bool viaClose; // Close saves the last run; otherwise Save Design saves an open design
    bool answer;   // the answer to the question before the rewrite in place
    const char *expectedVoltage;
    const char *toldPart; // in what the user is told afterwards ("" nothing)
    std::vector<int> quits;
};

TEST(WindowFileSafety, ARewriteInPlaceIsAskedFirstAndCancelLeavesTheFile)
{
    const InPlaceCase cases[] = {
        {"Close, written in place", true, true, "240", "written in place", {0}},
        {"Close, cancelled", true, false, "117", "was not changed", {}},
        {"Save Design, written in place", false, true, "240", "", {}},
        {"Save Design, cancelled", false, false, "117", "was not changed", {}},
    };
    for (const InPlaceCase &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder(ProgramFolder::Example);
        fs::permissions(folder.path().toStdString(), fs::perms(0755));
        const std::string design =
            c.viaClose ? folder.file(kLastRunFileName) : folder.file("A.DAT");
        folder.write("A.DAT", exampleLastRunFileBytes());
        ASSERT_EQ(chown(design.c_str(), kNobody, 0), 0);
        MainUnderTest w(folder);
        QStringList asked;
        w.actions()->setConfirmation([&](const QString &text, const QString &goAhead) {
            asked << goAhead + ": " + text;
            return c.answer;
        });
        w.window.form()->setQuestionFunction([&](const QString &, const QString &text) {
            asked << text;
            return c.answer;
        });
        if (!c.viaClose) {
            ASSERT_EQ(w.actions()->openDesign(QString::fromStdString(design)), "");
        }
        w.type("TxtPriV", "240");
        {
            const AsOtherUser other;
            if (!other.active()) {
                GTEST_SKIP() << "acting as another user needs root";
            }
            if (c.viaClose) {
                w.window.form()->closeAndSave();
            } else {
                w.trigger("actionSaveDesign");
            }
        }
        EXPECT_EQ(primaryVoltageIn(testing_support::readBytes(design)), c.expectedVoltage);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].contains("cannot be replaced whole")) << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains("Permission denied")) << asked[0].toStdString();
        const QStringList told =
            c.viaClose ? QStringList(w.messages.begin(), w.messages.end()) : w.failures;
        if (*c.toldPart == '\0') {
            EXPECT_TRUE(told.isEmpty()) << told.join('\n').toStdString();
        } else {
            ASSERT_EQ(told.size(), 1);
            EXPECT_TRUE(told[0].contains(c.toldPart)) << told[0].toStdString();
            // A rewrite in place says why the file could not be replaced whole.
            EXPECT_EQ(told[0].contains("Permission denied"), c.answer) << told[0].toStdString();
        }
        EXPECT_EQ(w.quitCodes, c.quits);
    }
}

// The core's outcome of a save as the window passes it on: what the user reads for each.
TEST(WindowFileSafety, EachOutcomeOfASaveIsToldForWhatItIs)
{
    using O = SaveResult::Outcome;
    struct Case
    {
        const char *what;
        SaveResult result;
        std::vector<const char *> toldParts;
        int quit; // Close's exit status; -1 when the window stays open
    };
    const Case cases[] = {
        {"damaged, a copy kept",
         {O::Damaged,
          "Cannot write D: File too large. The file is damaged; its old contents are "
          "kept in D.damaged",
          "D.damaged"},
         {"is damaged", "File too large", "Its old contents are in D.damaged"},
         1},
        {"damaged, no copy",
         {O::Damaged,
          "Cannot write D: File too large. The file is damaged and no copy of its old "
          "contents could be kept",
          ""},
         {"is damaged", "no copy"},
         1},
        {"failed",
         {O::Failed, "Cannot write D: No space left on device", ""},
         {"Could not save", "the file was not changed", "No space left on device"},
         1},
        {"declined", {O::Declined, "it could not be replaced", ""}, {"was not changed"}, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder(ProgramFolder::Example);
        const auto fake = [&](const std::string &, std::string_view, const SaveOptions &) {
            return c.result;
        };
        MainUnderTest w(folder);
        w.window.form()->setLastRunWriter(fake);
        w.actions()->setSaveFunction(fake);
        w.window.form()->closeAndSave();
        const QString answer = w.actions()->saveDesignAs(folder.path() + "B.DAT");
        EXPECT_EQ(answer, w.failures.value(0));
        ASSERT_EQ(w.messages.size(), 1u);
        ASSERT_EQ(w.failures.size(), 1);
        for (const QString &told : {w.messages[0], w.failures[0]}) {
            for (const char *part : c.toldParts) {
                EXPECT_TRUE(told.contains(QLatin1String(part))) << told.toStdString();
            }
        }
        EXPECT_EQ(w.quitCodes, c.quit < 0 ? std::vector<int>{} : std::vector<int>{c.quit});
        // A save that did not happen leaves the design without a file of its own.
        EXPECT_EQ(w.actions()->designName(), "Last run");
    }
}

// Two windows on one file: the second save asks when the first saved in between.
TEST(WindowFileSafety, AFileSavedElsewhereSinceItWasReadIsOverwrittenOnlyWhenTheUserSaysSo)
{
    struct Case
    {
        const char *what;
        bool viaClose;
        const char *between; // "", "saved" by another window, "removed"
        bool answer;
        bool asked;
        const char *expectedVoltage; // "" when no file is expected
    };
    const Case cases[] = {
        {"Close, nothing in between", true, "", false, false, "230"},
        {"Close, saved elsewhere, cancelled", true, "saved", false, true, "99"},
        {"Close, saved elsewhere, overwritten", true, "saved", true, true, "230"},
        {"Close, removed, cancelled", true, "removed", false, true, ""},
        {"Save Design, nothing in between", false, "", false, false, "230"},
        {"Save Design, saved elsewhere, cancelled", false, "saved", false, true, "99"},
        {"Save Design, saved elsewhere, overwritten", false, "saved", true, true, "230"},
        {"Save Design, removed, overwritten", false, "removed", true, true, "230"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder(ProgramFolder::Example);
        const std::string design =
            c.viaClose ? folder.file(kLastRunFileName) : folder.file("A.DAT");
        folder.write("A.DAT", exampleLastRunFileBytes());
        MainUnderTest w(folder);
        int asked = 0;
        w.actions()->setConfirmation([&](const QString &text, const QString &goAhead) {
            ++asked;
            EXPECT_EQ(goAhead, "Overwrite");
            EXPECT_TRUE(text.contains("since it was opened or saved")) << text.toStdString();
            return c.answer;
        });
        w.window.form()->setQuestionFunction([&](const QString &, const QString &text) {
            ++asked;
            EXPECT_TRUE(text.contains("since it was opened or saved")) << text.toStdString();
            return c.answer;
        });
        if (!c.viaClose) {
            ASSERT_EQ(w.actions()->openDesign(QString::fromStdString(design)), "");
        }
        w.type("TxtPriV", "230");
        if (c.between == std::string("saved")) {
            // What the other window's save does: a new file put in place of the old one.
            ASSERT_EQ(writeFileAtomically(design, exampleWith("99")), "");
        } else if (c.between == std::string("removed")) {
            fs::remove(design);
        }
        if (c.viaClose) {
            w.window.form()->closeAndSave();
        } else {
            w.trigger("actionSaveDesign");
        }
        EXPECT_EQ(asked, c.asked ? 1 : 0);
        if (*c.expectedVoltage == '\0') {
            EXPECT_FALSE(fs::exists(design));
        } else {
            EXPECT_EQ(primaryVoltageIn(testing_support::readBytes(design)), c.expectedVoltage);
        }
        if (c.asked && !c.answer) {
            EXPECT_TRUE(w.quitCodes.empty()); // the window stays open with the inputs
        }
    }
    // Saved once here, the file is this window's again: the next save asks nothing.
    ProgramFolder folder(ProgramFolder::Example);
    folder.write("A.DAT", exampleLastRunFileBytes());
    MainUnderTest w(folder);
    int asked = 0;
    w.actions()->setConfirmation([&](const QString &, const QString &) { return ++asked > 0; });
    ASSERT_EQ(w.actions()->openDesign(folder.path() + "A.DAT"), "");
    ASSERT_EQ(writeFileAtomically(folder.file("A.DAT"), exampleWith("99")), "");
    EXPECT_EQ(w.actions()->saveDesignAs(folder.path() + "A.DAT"), "");
    EXPECT_EQ(w.actions()->saveDesignAs(folder.path() + "A.DAT"), "");
    EXPECT_EQ(asked, 1);
}

// Whatever stands at Ferrolux.ini, the window opens at once; only a small regular file is read
// and only a regular file or nothing is written.
TEST(WindowFileSafety, TheSettingsFileIsReadOnlyWhenItIsASmallRegularFile)
{
    struct Case
    {
        const char *what;
        std::function<bool(const std::string &)> make;
        const char *notice;     // part of the status bar's notice ("" none)
        bool panelShown;        // as read at start
        bool writtenAfterwards; // hiding the panel is kept in the file
    };
    const Case cases[] = {
        {"no file", [](const std::string &) { return true; }, "", true, true},
        {"the panel hidden",
         [](const std::string &p) {
             return testing_support::writeBytes(p, "[window]\ncheckPanelVisible=false\n");
         },
         "", false, true},
        {"a named pipe", [](const std::string &p) { return mkfifo(p.c_str(), 0600) == 0; },
         "Not a regular file", true, false},
        {"a folder", [](const std::string &p) { return fs::create_directory(p); },
         "Not a regular file", true, false},
        {"a file larger than any settings",
         [](const std::string &p) {
             return testing_support::writeBytes(p, "[window]\ncheckPanelVisible=false\n" +
                                                       std::string(kMaxSettingsBytes, ';'));
         },
         "larger than", true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder(ProgramFolder::Example);
        const std::string ini = folder.file("Ferrolux.ini");
        ASSERT_TRUE(c.make(ini));
        const fs::file_status before = fs::status(ini);
        const auto sizeBefore = fs::is_regular_file(before) ? fs::file_size(ini) : 0;
        const Watchdog watchdog;
        MainUnderTest w(folder);
        w.show();
        EXPECT_EQ(w.dock()->isVisible(), c.panelShown);
        const QString notice = w.window.statusBar()->currentMessage();
        if (*c.notice == '\0') {
            EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
        } else {
            EXPECT_TRUE(notice.contains(QLatin1String(c.notice))) << notice.toStdString();
            EXPECT_TRUE(notice.contains("Ferrolux.ini")) << notice.toStdString();
        }
        w.window.findChild<QAction *>("actionCheckPanel")->trigger();
        EXPECT_EQ(fs::status(ini).type(), before.type() == fs::file_type::not_found
                                              ? fs::file_type::regular
                                              : before.type());
        if (c.writtenAfterwards) {
            EXPECT_EQ(WindowSettings(QString::fromStdString(ini))
                          .value("window/checkPanelVisible")
                          .toBool(),
                      !c.panelShown);
        } else if (fs::is_regular_file(before)) {
            EXPECT_EQ(fs::file_size(ini), sizeBefore);
        }
    }
}

// A block record that does not read (a supply's among them) is told once, in the status bar,
// and kept as written; so is a record this version does not know, without a word.
TEST(WindowFileSafety, BlockRecordsThatDoNotReadAreToldAndKept)
{
    struct Case
    {
        const char *what;
        const char *block; // after the marker
        const char *noticePart;
    };
    const Case cases[] = {
        {"a decimal comma", "ambient_c=25,5", "ambient_c=25,5: the value does not read"},
        {"a key of a later version", "future_key=7", ""},
        // A supply whose records do not read: not used, kept, and named in the notice.
        {"a supply without its mains record", "supply2_circuit=bridge\r\nsupply2_filter=c:10",
         "The supply of secondary 2 does not read (the record mains_hz is missing); its records "
         "supply2_circuit, supply2_filter are kept as written"},
    };
    for (const bool asLastRun : {true, false}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.what) + (asLastRun ? ", the last run" : ", a design"));
            ProgramFolder folder(ProgramFolder::Example);
            const std::string bytes = exampleLastRunFileBytes() + std::string(kDesignExtrasMarker) +
                                      "\r\n" + c.block + "\r\n";
            folder.write(asLastRun ? kLastRunFileName : "A.DAT", bytes);
            MainUnderTest w(folder);
            if (!asLastRun) {
                ASSERT_EQ(w.actions()->openDesign(folder.path() + "A.DAT"), "");
            }
            const QString notice = w.window.statusBar()->currentMessage();
            if (*c.noticePart == '\0') {
                EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
            } else {
                EXPECT_TRUE(notice.contains(QLatin1String(c.noticePart))) << notice.toStdString();
                EXPECT_TRUE(notice.startsWith(asLastRun ? "The last run" : "A.DAT"))
                    << notice.toStdString();
            }
            EXPECT_TRUE(w.messages.empty()); // no message box for it
            // Saved again, the record is there as it was written.
            w.window.form()->closeAndSave();
            const std::string saved = folder.read(kLastRunFileName);
            EXPECT_NE(saved.find(std::string("\r\n") + c.block + "\r\n"), std::string::npos)
                << saved;
        }
    }
}

// A DC load whose winding current cannot be computed is tinted in the panel; the form's current
// field never shows "inf", is tinted with the reason, and Calculate refuses instead of reading it.
TEST(WindowFileSafety, ADcLoadTooLargeToComputeNeverReachesTheCurrentField)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest w(folder);
    w.click("CmdCalc");
    const QStringList report = w.window.form()->reportLines();
    auto *kind = w.child<QComboBox>("checkKind_0");
    const int bridge = static_cast<int>(LoadKind::BridgeCapacitor);
    kind->setCurrentIndex(bridge);
    emit kind->activated(bridge);
    // 1.7e308 A written out: divided by the bridge's factor below 1 it passes the largest double.
    QTest::keyClicks(w.child("checkDc_0"), "17" + QString(307, '0'));
    auto *field = w.child<QLineEdit>("TxtSec1I_0");
    const QString current = w.window.form()->secondaryCurrent(0);
    EXPECT_FALSE(current.contains("inf")) << current.toStdString();
    w.click("CmdCalc");
    EXPECT_TRUE(field->toolTip().contains("too large")) << field->toolTip().toStdString();
    EXPECT_TRUE(w.child<QLineEdit>("checkDc_0")->toolTip().contains("too large"));
    EXPECT_EQ(w.window.form()->reportLines(), report);
    EXPECT_TRUE(w.child<QPlainTextEdit>("Txt2QuickHelp")->toPlainText().contains("too large"));
    // Typing a current by hand makes the row an AC load again, and Calculate runs.
    w.type("TxtSec1I_0", "0.2");
    EXPECT_TRUE(field->toolTip().isEmpty()) << field->toolTip().toStdString();
    w.click("CmdCalc");
    EXPECT_NE(w.window.form()->reportLines(), report);
}

} // namespace
} // namespace ferrolux::testing
