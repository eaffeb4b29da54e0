// The calculator window with its files: loading the example, Calculate on it, Close and
// restart, the Load button, short and missing files, and a failed save.

#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "report.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <variant>

namespace ferrolux::testing {
namespace {

const QString kTypeOptions[] = {"OpType1", "OpType2", "OpType3", "OpMil"};

// Every input field of the window.
QStringList inputFieldNames()
{
    QStringList names{"TxtPriV", "TxtPriR", "TxtNoSec"};
    for (int k = 0; k < 6; ++k) {
        names << member("TxtSec1V", k) << member("TxtSec1I", k) << member("TxtSec1R", k);
    }
    names << "TxtX"
          << "TxtY"
          << "TxtZ"
          << "TxtA"
          << "TxtB"
          << "TxtC";
    return names;
}

QStringList checkedOptions(const WindowUnderTest &window)
{
    QStringList checked;
    for (const QString &name : kTypeOptions) {
        if (window.child<QRadioButton>(name)->isChecked()) {
            checked << name;
        }
    }
    return checked;
}

// The first `count` records of the example file.
std::string exampleRecords(int count)
{
    std::string bytes;
    const std::vector<std::string> all = records(exampleLastRunFileBytes());
    for (int i = 0; i < count; ++i) {
        bytes += all[i] + "\r\n";
    }
    return bytes;
}

TEST(Form16Files, LoadsTheShippedExample)
{
    ProgramFolder folder;
    folder.writeExample();
    folder.writePictures();
    WindowUnderTest window(folder);
    window->Form_Load();

    EXPECT_EQ(visibleRows(window), 4);
    EXPECT_EQ(checkedOptions(window), QStringList{"OpType3"});
    EXPECT_EQ(window.child<QCheckBox>("ChkLoading")->checkState(), Qt::Checked);
    EXPECT_EQ(window.child<QPushButton>("CmdLoadData")->text(), "Load Example");
    EXPECT_TRUE(window->bExample);
    EXPECT_EQ(window->OCPPDis, 2.5);
    EXPECT_EQ(window->OCFPDis, 4.5);
    EXPECT_EQ(window->POTPPDis, 1.5);
    EXPECT_EQ(window->POTFPDis, 2.5);
    EXPECT_EQ(window.text("TxtPriV"), "117");
    EXPECT_EQ(window.text("TxtSec1R_2"), "99.0e-3");
    EXPECT_EQ(window.text("TxtSec1V_5"), "0");
    EXPECT_EQ(window.text("TxtC"), "6.4");
    EXPECT_FALSE(window.field("TxtA")->isHidden());
    auto *image = window.child<QLabel>("Image1");
    EXPECT_FALSE(image->isHidden());
    EXPECT_FALSE(image->pixmap().isNull());
}

TEST(Form16Files, CalculateOnTheExampleWritesTheWorkedReport)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load();
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);

    const AnalysisOutcome reference = analyseTransformer(exampleAnalysisInput());
    ASSERT_TRUE(std::holds_alternative<AnalysisResult>(reference));
    const std::vector<std::string> lines = window.reportLines();
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines, buildReport(std::get<AnalysisResult>(reference)));
    EXPECT_EQ(lines[0], "        Primary Voltage = 117.0     Volts");
    EXPECT_EQ(lines[6], "Secondary 1     Current = 135.0e-3  Amps");
    EXPECT_EQ(lines[15], "Secondayr 3     Voltage = 4.987     Volts");
    EXPECT_EQ(lines[25], std::string(58, '-'));
    EXPECT_EQ(lines[29], "  Operating Temperature = 223.4     \u00b0 F");

    // A second Calculate replaces the report rather than adding to it.
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);
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
        window.setText("TxtPriV", "120");
        window.setText("TxtNoSec", "5");
        window.setText("TxtSec1V_4", "12.6");
        window.setText("TxtSec1I_4", "");
        window.setText("TxtSec1R_4", "0.05");
        window.setText("TxtZ", "10.25");
        for (const QString &name : inputFieldNames()) {
            savedTexts << window.text(name);
        }
        QTest::mouseClick(window.child<QPushButton>("CmdClose"), Qt::LeftButton);
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
        EXPECT_TRUE(window.messages.empty());
        EXPECT_FALSE(window->bExample);
    }

    const std::vector<std::string> saved = records(folder.read(kLastRunFileName));
    ASSERT_EQ(saved.size(), 30u);
    EXPECT_EQ(saved[0], "False");
    EXPECT_EQ(saved[1], "120");
    EXPECT_EQ(saved[16], "12.6"); // record 17: voltage of secondary 5
    EXPECT_EQ(saved[17], "0.05"); // record 18: its resistance
    EXPECT_EQ(saved[18], "");     // record 19: its current, empty
    EXPECT_EQ(saved[22], " 3 ");
    EXPECT_EQ(saved[29], " 1 ");

    WindowUnderTest restored(folder);
    restored->Form_Load();
    QStringList restoredTexts;
    for (const QString &name : inputFieldNames()) {
        restoredTexts << restored.text(name);
    }
    EXPECT_EQ(restoredTexts, savedTexts);
    EXPECT_EQ(visibleRows(restored), 5);
    EXPECT_EQ(checkedOptions(restored), QStringList{"OpType3"});
    EXPECT_EQ(restored.child<QCheckBox>("ChkLoading")->checkState(), Qt::Checked);
    EXPECT_EQ(restored.child<QPushButton>("CmdLoadData")->text(), "Load Last Run");
    EXPECT_FALSE(restored->bExample);
}

struct SavedChoice
{
    const char *option; // nullptr: no type selected
    Qt::CheckState loading;
    const char *typeRecord;
    const char *loadingRecord;
};

class Form16SavedChoices : public ::testing::TestWithParam<SavedChoice>
{
};

TEST_P(Form16SavedChoices, TypeAndCheckBoxSurviveClose)
{
    const SavedChoice choice = GetParam();
    ProgramFolder folder;
    folder.writeExample();
    {
        WindowUnderTest window(folder);
        window->Form_Load();
        window->CmdClr_Click(); // no type selected
        if (choice.option) {
            QTest::mouseClick(window.child<QRadioButton>(choice.option), Qt::LeftButton);
        }
        window.child<QCheckBox>("ChkLoading")->setCheckState(choice.loading);
        window->CmdClose_Click();
    }
    const std::vector<std::string> saved = records(folder.read(kLastRunFileName));
    ASSERT_EQ(saved.size(), 30u);
    EXPECT_EQ(saved[22], choice.typeRecord);
    EXPECT_EQ(saved[29], choice.loadingRecord);

    WindowUnderTest restored(folder);
    restored->Form_Load();
    EXPECT_EQ(checkedOptions(restored), choice.option ? QStringList{choice.option} : QStringList{});
    EXPECT_EQ(restored.child<QCheckBox>("ChkLoading")->checkState(), choice.loading);
}

INSTANTIATE_TEST_SUITE_P(Choices, Form16SavedChoices,
                         ::testing::Values(SavedChoice{nullptr, Qt::Unchecked, " 0 ", " 0 "},
                                           SavedChoice{"OpType1", Qt::Checked, " 1 ", " 1 "},
                                           SavedChoice{"OpType2", Qt::Unchecked, " 2 ", " 0 "},
                                           SavedChoice{"OpMil", Qt::PartiallyChecked, " 4 ",
                                                       " 2 "}));

TEST(Form16Files, LoadButtonDiscardsEditsAndKeepsItsCaption)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load();
    window.setText("TxtPriV", "230");
    window.setText("TxtNoSec", "1");
    window.setText("TxtSec1V_3", "");
    QTest::mouseClick(window.child<QRadioButton>("OpMil"), Qt::LeftButton);

    QTest::mouseClick(window.child<QPushButton>("CmdLoadData"), Qt::LeftButton);
    EXPECT_EQ(window.text("TxtPriV"), "117");
    EXPECT_EQ(window.text("TxtNoSec"), "4");
    EXPECT_EQ(window.text("TxtSec1V_3"), "6.65");
    EXPECT_EQ(visibleRows(window), 4);
    EXPECT_EQ(checkedOptions(window), QStringList{"OpType3"});
    EXPECT_FALSE(window.field("TxtA")->isHidden());
    EXPECT_EQ(window.child<QPushButton>("CmdLoadData")->text(), "Load Example");
}

TEST(Form16Files, MissingLastRunFileChangesNothing)
{
    ProgramFolder folder;
    folder.write(kConstantsFileName, defaultConstantsFileBytes());
    WindowUnderTest window(folder);
    window.setText("TxtPriV", "99");
    window->Form_Load();
    EXPECT_EQ(window.text("TxtPriV"), "99");
    EXPECT_EQ(window.text("TxtPriR"), "");
    EXPECT_TRUE(checkedOptions(window).isEmpty());
    EXPECT_FALSE(window->bExample);
    EXPECT_EQ(window->OCPPDis, 0.0);
    EXPECT_EQ(window.child<QPushButton>("CmdLoadData")->text(), "Load Last Run");

    // The Load button likewise keeps the edits when there is nothing to load.
    window.setText("TxtPriR", "3.1");
    window->CmdLoadData_Click();
    EXPECT_EQ(window.text("TxtPriR"), "3.1");
}

// What a damaged or incomplete last-run file leaves behind.
struct PartialFile
{
    const char *name;
    std::string lastRunBytes;
    bool withConstants;
    const char *lastFieldSet;   // an input field the file still reached
    const char *firstFieldKept; // the next field, which keeps its earlier text ("" if none)
    QStringList type;           // options checked afterwards
    Qt::CheckState loading;
    double plateLimit;
};

std::string withRecord(int number, const std::string &value)
{
    std::vector<std::string> all = records(exampleLastRunFileBytes());
    all[static_cast<std::size_t>(number - 1)] = value;
    std::string bytes;
    for (const std::string &record : all) {
        bytes += record + "\r\n";
    }
    return bytes;
}

std::string partialFileName(const ::testing::TestParamInfo<PartialFile> &param)
{
    return param.param.name;
}

class Form16PartialFiles : public ::testing::TestWithParam<PartialFile>
{
};

TEST_P(Form16PartialFiles, KeepsWhatWasReadAndLeavesTheRest)
{
    const PartialFile &file = GetParam();
    ProgramFolder folder;
    folder.write(kLastRunFileName, file.lastRunBytes);
    if (file.withConstants) {
        folder.write(kConstantsFileName, defaultConstantsFileBytes());
    }
    WindowUnderTest window(folder);
    for (const QString &name : inputFieldNames()) {
        window.setText(name, "before");
    }
    window->Form_Load();

    EXPECT_NE(window.text(file.lastFieldSet), "before") << file.lastFieldSet;
    if (*file.firstFieldKept) {
        EXPECT_EQ(window.text(file.firstFieldKept), "before") << file.firstFieldKept;
    }
    EXPECT_EQ(checkedOptions(window), file.type);
    EXPECT_EQ(window.child<QCheckBox>("ChkLoading")->checkState(), file.loading);
    EXPECT_EQ(window->OCPPDis, file.plateLimit);
    EXPECT_TRUE(window->bExample);
}

INSTANTIATE_TEST_SUITE_P(Files, Form16PartialFiles,
                         ::testing::Values(PartialFile{"TenRecords",
                                                       exampleRecords(10),
                                                       true,
                                                       "TxtSec1I_1",
                                                       "TxtSec1V_2",
                                                       {},
                                                       Qt::Unchecked,
                                                       0.0},
                                           PartialFile{"TypeRecordLast",
                                                       exampleRecords(23),
                                                       true,
                                                       "TxtSec1I_5",
                                                       "TxtX",
                                                       {"OpType3"},
                                                       Qt::Unchecked,
                                                       0.0},
                                           PartialFile{"CheckBoxOutOfRange",
                                                       withRecord(30, "7"),
                                                       true,
                                                       "TxtC",
                                                       "",
                                                       {"OpType3"},
                                                       Qt::Unchecked,
                                                       0.0},
                                           PartialFile{"CheckBoxGrayed",
                                                       withRecord(30, "2"),
                                                       true,
                                                       "TxtC",
                                                       "",
                                                       {"OpType3"},
                                                       Qt::PartiallyChecked,
                                                       2.5},
                                           PartialFile{"WithoutConstants",
                                                       exampleLastRunFileBytes(),
                                                       false,
                                                       "TxtC",
                                                       "",
                                                       {"OpType3"},
                                                       Qt::Checked,
                                                       0.0},
                                           PartialFile{"TrailingRecordsIgnored",
                                                       exampleLastRunFileBytes() + "junk\r\n,,\r\n",
                                                       true,
                                                       "TxtC",
                                                       "",
                                                       {"OpType3"},
                                                       Qt::Checked,
                                                       2.5}),
                         partialFileName);

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
    QTest::mouseClick(window.child<QPushButton>("CmdClose"), Qt::LeftButton);

    EXPECT_EQ(folder.read(kLastRunFileName), before);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].first, "Ferrolux");
    EXPECT_TRUE(
        window.messages[0].second.contains(QString::fromStdString(folder.file(kLastRunFileName))))
        << window.messages[0].second.toStdString();
    EXPECT_EQ(window.quitCodes, std::vector<int>{0});
}

TEST(Form16Files, WriterFailureReasonReachesTheUser)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load();
    std::string writtenPath;
    window->setLastRunWriter([&](const std::string &path, std::string_view) {
        writtenPath = path;
        return std::string("disk full");
    });
    window->CmdClose_Click();

    EXPECT_EQ(writtenPath, folder.file(kLastRunFileName));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(window.messages[0].second.contains("disk full"));
    EXPECT_EQ(window.quitCodes, std::vector<int>{0});
}

} // namespace
} // namespace ferrolux::testing
