// The calculator window with its files: a first start and Calculate on the worked example,
// Close and restart, the Load button on a whole and on a short file, and a failed save.

#include "../core/worked_example_input.h"
#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <tuple>

namespace ferrolux::testing {
namespace {

// The worked example as a first start writes it, record by record.
const std::vector<std::string> kExampleRecords = {
    "True",  "117",     "2.05", "4",    "350",    "67.4", "0",   "40.0", "7.60", "0",
    "5.297", "99.0e-3", "3.0",  "6.65", "122e-3", "0",    "0",   "0",    "0",    "0",
    "0",     "0",       "3",    "11.3", "9.6",    "9.7",  "4.0", "8.4",  "6.4",  "1"};

const std::vector<std::string> kDefaultConstants = {
    "Plate winding percent dissipation for an open core transformer.",    "2.5",
    "Filament winding percent dissipation for an open core transformer.", "4.5",
    "Plate winding percent dissipation for a potted transformer.",        "1.5",
    "Filament winding percent dissipation for a potted transformer.",     "2.5"};

// The first `count` records, each ended by CR LF.
std::string recordBytes(const std::vector<std::string> &all, std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes += all[i] + "\r\n";
    }
    return bytes;
}

Qt::CheckState loading(const WindowUnderTest &window)
{
    return window.child<QCheckBox>("ChkLoading")->checkState();
}

QString loadCaption(const WindowUnderTest &window)
{
    return window.child<QPushButton>("CmdLoadData")->text();
}

TEST(CalculatorWindowFiles, FirstStartSeedsTheExampleAndCalculateShowsItsReport)
{
    ProgramFolder folder;
    ASSERT_EQ(seedFirstStart(folder.file("")), "");
    EXPECT_EQ(folder.read(kLastRunFileName), recordBytes(kExampleRecords, 30));
    EXPECT_EQ(folder.read(kConstantsFileName), recordBytes(kDefaultConstants, 8));

    WindowUnderTest window(folder);
    window->load();
    EXPECT_EQ(window.visibleRows(), 4);
    EXPECT_EQ(window.checkedTypes(), QStringList{"OpType3"});
    EXPECT_EQ(loading(window), Qt::Checked);
    EXPECT_EQ(loadCaption(window), "Load Example");
    EXPECT_EQ((std::vector{window->limits().OCPPDis, window->limits().OCFPDis,
                           window->limits().POTPPDis, window->limits().POTFPDis}),
              (std::vector{2.5, 4.5, 1.5, 2.5}));
    window.click("CmdCalc");
    EXPECT_EQ(window.reportLines(), testing_support::workedExampleReport());
}

TEST(CalculatorWindowFiles, CloseSavesEverythingAndANewWindowRestoresIt)
{
    ProgramFolder folder;
    folder.writeExample();
    QStringList saved;
    {
        WindowUnderTest window(folder);
        window->load();
        window.setText("TxtPriR", "");
        window.setText("TxtNoSec", "5");
        window.setText("TxtSec1V_4", "12.6");
        window.setText("TxtSec1R_4", "0.05");
        window.setText("TxtX", QString(40000, '9')); // longer than QLineEdit's default limit
        window.click("OpType2");
        window.child<QCheckBox>("ChkLoading")->setCheckState(Qt::PartiallyChecked);
        saved = window.fieldTexts();
        window.click("CmdClose");
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
        EXPECT_TRUE(window.messages.empty());
    }
    WindowUnderTest restored(folder);
    restored->load();
    EXPECT_EQ(restored.fieldTexts(), saved);
    EXPECT_EQ(restored.child<QLineEdit>("TxtX")->text().size(), 40000);
    EXPECT_EQ(restored.visibleRows(), 5);
    EXPECT_EQ(restored.checkedTypes(), QStringList{"OpType2"});
    EXPECT_EQ(loading(restored), Qt::PartiallyChecked);
    EXPECT_EQ(loadCaption(restored), "Load Last Run");
    EXPECT_FALSE(restored->holdsExample());
}

TEST(CalculatorWindowFiles, LoadDiscardsEditsAndTakesWhatAShortFileHolds)
{
    // Records in the file, then what Load leaves in record 11, the type options and the plate
    // limit: a short file keeps the fields it does not reach and never reaches the constants
    // file, but applies the type once it has read record 23.
    const std::tuple<std::size_t, QString, QStringList, double> cases[] = {
        {30, "5.297", {"OpType3"}, 2.5},
        {23, "5.297", {"OpType3"}, 0},
        {10, "edited", {"OpMil"}, 0}};
    for (const auto &[count, secondary3Voltage, types, plateLimit] : cases) {
        SCOPED_TRACE(count);
        ProgramFolder folder;
        folder.write(kLastRunFileName, recordBytes(kExampleRecords, count));
        folder.write(kConstantsFileName, recordBytes(kDefaultConstants, 8));
        WindowUnderTest window(folder);
        window->load();
        for (const QString &name : inputFieldNames()) {
            window.setText(name, "edited");
        }
        window.click("OpMil");
        window->setLimits({});
        window.click("CmdLoadData");
        EXPECT_EQ(window.fieldTexts().mid(0, 6),
                  (QStringList{"117", "2.05", "4", "350", "0", "67.4"}));
        EXPECT_EQ(window.text("TxtSec1R_1"), "7.60");
        EXPECT_EQ(window.text("TxtSec1V_2"), secondary3Voltage);
        EXPECT_EQ(window.checkedTypes(), types);
        EXPECT_EQ(window->limits().OCPPDis, plateLimit);
        EXPECT_EQ(loadCaption(window), "Load Example");
    }
}

TEST(CalculatorWindowFiles, FailedSaveKeepsTheOldFileTellsTheUserAndStillQuits)
{
    ProgramFolder folder;
    folder.writeExample();
    const std::string before = folder.read(kLastRunFileName);
    // A folder where the temporary file would go makes the write fail even for root.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Ferrolux.DAT.new")));
    WindowUnderTest window(folder);
    window->load();
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
