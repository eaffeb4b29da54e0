// The calculator window with its files: the shipped example and Calculate on it, Close and
// restart, the Load button, short and missing files, and a failed save.

#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "report.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <variant>

namespace ferrolux::testing {
namespace {

QString loadButton(const WindowUnderTest &window)
{
    return window.child<QPushButton>("CmdLoadData")->text();
}

Qt::CheckState loading(const WindowUnderTest &window)
{
    return window.child<QCheckBox>("ChkLoading")->checkState();
}

TEST(Form16Files, LoadsTheExampleAndCalculatesTheWorkedReport)
{
    ProgramFolder folder;
    folder.writeExample(true);
    WindowUnderTest window(folder);
    window->Form_Load();

    EXPECT_EQ(window.visibleRows(), 4);
    EXPECT_EQ(window.checkedTypes(), QStringList{"OpType3"});
    EXPECT_EQ(loading(window), Qt::Checked);
    EXPECT_EQ(loadButton(window), "Load Example");
    EXPECT_TRUE(window->bExample);
    EXPECT_EQ((std::vector{window->OCPPDis, window->OCFPDis, window->POTPPDis, window->POTFPDis}),
              (std::vector{2.5, 4.5, 1.5, 2.5}));
    EXPECT_EQ(window.text("TxtSec1R_2"), "99.0e-3");
    EXPECT_FALSE(window.child("TxtA")->isHidden());
    EXPECT_FALSE(window.child<QLabel>("Image1")->pixmap().isNull());

    window.click("CmdCalc");
    const AnalysisOutcome reference = analyseTransformer(exampleAnalysisInput());
    ASSERT_TRUE(std::holds_alternative<AnalysisResult>(reference));
    const std::vector<std::string> lines = window.reportLines();
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines, buildReport(std::get<AnalysisResult>(reference)));
    EXPECT_EQ(lines[0], "        Primary Voltage = 117.0     Volts");
    EXPECT_EQ(lines[6], "Secondary 1     Current = 135.0e-3  Amps");
    EXPECT_EQ(lines[15], "Secondayr 3     Voltage = 4.987     Volts");
    EXPECT_EQ(lines[29], "  Operating Temperature = 223.4     \u00b0 F");
    window.click("CmdCalc"); // replaces the report rather than adding to it
    EXPECT_EQ(window.reportLines().size(), 30u);
}

TEST(Form16Files, CloseSavesEverythingAndANewWindowRestoresIt)
{
    ProgramFolder folder;
    folder.writeExample();
    QStringList savedTexts;
    {
        WindowUnderTest window(folder);
        window->Form_Load();
        window.setText("TxtNoSec", "5");
        window.setText("TxtSec1V_4", "12.6");
        window.setText("TxtSec1I_4", "");
        window.setText("TxtSec1R_4", "0.05");
        for (const QString &name : inputFieldNames()) {
            savedTexts << window.text(name);
        }
        window.click("CmdClose");
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
        EXPECT_TRUE(window.messages.empty());
    }
    const std::vector<std::string> saved = records(folder.read(kLastRunFileName));
    ASSERT_EQ(saved.size(), 30u);
    // Flag; voltage, resistance and current of secondary 5; type; check box.
    EXPECT_EQ((std::vector{saved[0], saved[16], saved[17], saved[18], saved[22], saved[29]}),
              (std::vector<std::string>{"False", "12.6", "0.05", "", " 3 ", " 1 "}));

    WindowUnderTest restored(folder);
    restored->Form_Load();
    QStringList restoredTexts;
    for (const QString &name : inputFieldNames()) {
        restoredTexts << restored.text(name);
    }
    EXPECT_EQ(restoredTexts, savedTexts);
    EXPECT_EQ(restored.visibleRows(), 5);
    EXPECT_EQ(restored.checkedTypes(), QStringList{"OpType3"});
    EXPECT_EQ(loading(restored), Qt::Checked);
    EXPECT_EQ(loadButton(restored), "Load Last Run");
    EXPECT_FALSE(restored->bExample);
}

TEST(Form16Files, NoTypeAndAGrayedCheckBoxSurviveClose)
{
    ProgramFolder folder;
    folder.writeExample();
    {
        WindowUnderTest window(folder);
        window->Form_Load();
        window.click("CmdClr"); // no type selected
        window.child<QCheckBox>("ChkLoading")->setCheckState(Qt::PartiallyChecked);
        window->CmdClose_Click();
    }
    const std::vector<std::string> saved = records(folder.read(kLastRunFileName));
    ASSERT_EQ(saved.size(), 30u);
    EXPECT_EQ(saved[22], " 0 ");
    EXPECT_EQ(saved[29], " 2 ");
    WindowUnderTest restored(folder);
    restored->Form_Load();
    EXPECT_TRUE(restored.checkedTypes().isEmpty());
    EXPECT_EQ(loading(restored), Qt::PartiallyChecked);
}

TEST(Form16Files, LoadButtonDiscardsEditsUnlessTheFileIsMissing)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load();
    window.setText("TxtPriV", "230");
    window.setText("TxtNoSec", "1");
    window.click("OpMil");
    window.click("CmdLoadData");
    EXPECT_EQ(window.text("TxtPriV"), "117");
    EXPECT_EQ(window.visibleRows(), 4);
    EXPECT_EQ(window.checkedTypes(), QStringList{"OpType3"});
    EXPECT_FALSE(window.child("TxtA")->isHidden());
    EXPECT_EQ(loadButton(window), "Load Example");

    QDir(folder.path()).remove(kLastRunFileName);
    window.setText("TxtPriV", "230");
    window.click("CmdLoadData");
    EXPECT_EQ(window.text("TxtPriV"), "230");
}

TEST(Form16Files, MissingLastRunFileChangesNothingAtLoad)
{
    ProgramFolder folder;
    folder.write(kConstantsFileName, defaultConstantsFileBytes());
    WindowUnderTest window(folder);
    window.setText("TxtPriV", "99");
    window->Form_Load();
    EXPECT_EQ(window.text("TxtPriV"), "99");
    EXPECT_TRUE(window.checkedTypes().isEmpty());
    EXPECT_FALSE(window->bExample);
    EXPECT_EQ(window->OCPPDis, 0.0);
    EXPECT_EQ(loadButton(window), "Load Last Run");
}

// The example file cut after `count` records, or with record `number` replaced.
std::string exampleCut(int count, int number = 0, const std::string &replacement = {})
{
    std::vector<std::string> all = records(exampleLastRunFileBytes());
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += (i + 1 == number ? replacement : all[i]) + "\r\n";
    }
    return bytes;
}

TEST(Form16Files, DamagedFilesKeepWhatWasReadAndLeaveTheRest)
{
    const struct
    {
        const char *what;
        std::string bytes;
        const char *lastSet;  // the last field the file reached
        const char *nextKept; // the field after it, which keeps its text ("" if none)
        bool typeApplied;
        Qt::CheckState loading;
        double plateLimit; // the constants are read only after a complete file
    } cases[] = {
        {"ten records", exampleCut(10), "TxtSec1I_1", "TxtSec1V_2", false, Qt::Unchecked, 0},
        {"23 records", exampleCut(23), "TxtSec1I_5", "TxtX", true, Qt::Unchecked, 0},
        {"check box 7", exampleCut(30, 30, "7"), "TxtC", "", true, Qt::Unchecked, 0},
        {"check box 2", exampleCut(30, 30, "2"), "TxtC", "", true, Qt::PartiallyChecked, 2.5},
        {"extra records", exampleCut(30) + "junk\r\n,,\r\n", "TxtC", "", true, Qt::Checked, 2.5},
    };
    for (const auto &damaged : cases) {
        SCOPED_TRACE(damaged.what);
        ProgramFolder folder;
        folder.write(kLastRunFileName, damaged.bytes);
        folder.write(kConstantsFileName, defaultConstantsFileBytes());
        WindowUnderTest window(folder);
        for (const QString &name : inputFieldNames()) {
            window.setText(name, "before");
        }
        window->Form_Load();
        EXPECT_NE(window.text(damaged.lastSet), "before");
        if (*damaged.nextKept) {
            EXPECT_EQ(window.text(damaged.nextKept), "before");
        }
        EXPECT_EQ(window.checkedTypes(),
                  damaged.typeApplied ? QStringList{"OpType3"} : QStringList{});
        EXPECT_EQ(loading(window), damaged.loading);
        EXPECT_EQ(window->OCPPDis, damaged.plateLimit);
        EXPECT_TRUE(window->bExample);
    }
}

TEST(Form16Files, FailedSaveKeepsTheOldFileTellsTheUserAndStillQuits)
{
    ProgramFolder folder;
    folder.writeExample();
    const std::string before = folder.read(kLastRunFileName);
    // A folder where the temporary file would go makes the write fail even for root.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Ferrolux.DAT.new")));
    WindowUnderTest window(folder);
    window->Form_Load();
    window.setText("TxtPriV", "240");
    window.click("CmdClose");

    EXPECT_EQ(folder.read(kLastRunFileName), before);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].first, "Ferrolux");
    EXPECT_TRUE(
        window.messages[0].second.contains(QString::fromStdString(folder.file(kLastRunFileName))));
    EXPECT_EQ(window.quitCodes, std::vector<int>{0});
}

} // namespace
} // namespace ferrolux::testing
