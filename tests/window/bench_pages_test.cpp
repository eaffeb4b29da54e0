// The bench pages alone, through their typed API: the Measured page, the Identify page and
// the load builder.

#include "lamination_page.h"
#include "load_builder_page.h"
#include "measured_rise_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace ferrolux {
namespace {

template <typename T> T *child(QWidget &page, const char *name)
{
    T *found = page.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void type(QWidget &page, const char *name, const QString &text)
{
    auto *field = child<QLineEdit>(page, name);
    field->selectAll();
    QTest::keyClicks(field, text);
}

TEST(MeasuredRisePage, MeasurementsReadBackAsSet)
{
    RiseMeasurements one;
    one.windings[3] = WindingReading{1.5, 21, 1.75};
    one.ambientC = 22.5;
    RiseMeasurements aluminium;
    aluminium.windings[0] = WindingReading{0.2, -5, 0.25};
    aluminium.conductor = Conductor::Aluminium;
    RiseMeasurements calibratedOnly;
    calibratedOnly.calibration = {0.8, std::nullopt, 1.1};
    const std::optional<RiseMeasurements> cases[] = {std::nullopt, one, aluminium, calibratedOnly};
    MeasuredRisePage page;
    for (const auto &measurements : cases) {
        page.setMeasurements(measurements);
        EXPECT_EQ(page.measurements(), measurements);
    }
}

TEST(MeasuredRisePage, TypedReadingsGiveTheRiseAndCalibrate)
{
    MeasuredRisePage page;
    QSignalSpy edited(&page, &MeasuredRisePage::measurementsEdited);
    type(page, "riseAmbient", QStringLiteral("25"));
    type(page, "riseColdOhms1", QStringLiteral("10"));
    type(page, "riseColdC1", QStringLiteral("25"));
    type(page, "riseHotOhms1", QStringLiteral("11"));
    EXPECT_GT(edited.count(), 0);
    // 0.1 · (234.5 + 25) = 25.95 K.
    EXPECT_TRUE(child<QLabel>(page, "riseResult1")->text().contains(QStringLiteral("25.95 K")));
    // Half a reading is not a measurement.
    type(page, "riseColdOhms2", QStringLiteral("3"));
    EXPECT_FALSE(page.measurements()->windings[2]);

    auto *calibrate = child<QPushButton>(page, "riseCalibrate");
    EXPECT_FALSE(calibrate->isEnabled()); // nothing to calibrate against before a Calculate
    RiseFigures figures = measuredRises(*page.measurements());
    figures.models[0].predictedRiseK = 51.9;
    figures.models[0].ratio = 0.5;
    figures.models[2].predictedRiseK = 20.76;
    figures.models[2].ratio = 1.25;
    page.showFigures(figures);
    ASSERT_TRUE(calibrate->isEnabled());
    const qsizetype before = edited.count();
    QTest::mouseClick(calibrate, Qt::LeftButton);
    EXPECT_EQ(edited.count(), before + 1);
    const auto factors = page.measurements()->calibration;
    EXPECT_EQ(factors[0], 0.5);
    EXPECT_EQ(factors[1], std::nullopt);
    EXPECT_EQ(factors[2], 1.25);
    EXPECT_EQ(child<QLabel>(page, "riseFactor2")->text(), QStringLiteral("1.250"));
    page.clearCalibration();
    EXPECT_EQ(page.measurements()->calibration, (std::array<std::optional<double>, 3>{}));
}

TEST(LaminationPage, ChoiceReadsBackAndEstimateAgainstTheLoad)
{
    LaminationChoice ei96{"EI96", {}, {}};
    ei96.conditions.stackCm = 3.2;
    LaminationChoice custom{"", {2.5, 1.25, 3.75}, {}};
    custom.conditions = {4, 1.1, 120, 60, 0.9, 50, 0.85};
    LaminationChoice unknown{"EI97", {}, {}}; // not in the table: kept as it came
    unknown.conditions.stackCm = 2;
    LaminationPage page;
    for (const auto &choice : {std::optional<LaminationChoice>(), std::optional(ei96),
                               std::optional(custom), std::optional(unknown)}) {
        page.setLamination(choice);
        EXPECT_EQ(page.lamination(), choice);
    }
    page.setLamination(ei96);
    auto *tongue = child<QLineEdit>(page, "laminationTongue");
    EXPECT_EQ(tongue->text(), QStringLiteral("3.2"));
    EXPECT_TRUE(tongue->isReadOnly());
    EXPECT_TRUE(child<QLabel>(page, "laminationFigures")->text().contains(QStringLiteral("887")));
    // The estimate is 86.05 VA (78.6432^0.88 · 4.44 · 0.4 · 1.2 · 50 · 366 / 10⁴ / 2.111).
    struct Case
    {
        double va;
        const char *says;
    };
    for (const Case &c : {Case{64.07, "under the estimate by 22.0 VA"},
                          Case{110, "OVER the estimate by 24.0 VA"}}) {
        page.setDesignVa(c.va);
        EXPECT_TRUE(
            child<QLabel>(page, "laminationEstimate")->text().contains(QLatin1String(c.says)))
            << child<QLabel>(page, "laminationEstimate")->text().toStdString();
    }
}

TEST(LoadBuilderPage, WritesTheHeaterTotalsIntoTheChosenSecondaries)
{
    SecondaryRows rows{};
    rows[0] = {"300", "100", "0.1"};
    rows[1] = {"6.3", "0.05", "0"};
    rows[2] = {"5", "0.1", "0"};
    LoadBuilderPage page;
    page.setSecondaries(rows, 3);
    QSignalSpy written(&page, &LoadBuilderPage::rowsWritten);
    type(page, "loadValves", QStringLiteral("EL34*2, 12AX7*3, 5AR4"));
    // Each heater voltage goes to the secondary of that voltage unless chosen otherwise.
    EXPECT_EQ(page.assignments().size(), 2U);
    page.writeCurrents();
    ASSERT_EQ(written.count(), 1);
    auto out = written.takeFirst().at(0).value<SecondaryRows>();
    EXPECT_EQ(out[0].current, "0.1");
    EXPECT_EQ(out[1].current, "3.9");
    EXPECT_EQ(out[2].current, "1.9");

    // Both voltages on one secondary: refused, nothing written.
    child<QComboBox>(page, "loadTarget0")->setCurrentIndex(2);
    child<QComboBox>(page, "loadTarget1")->setCurrentIndex(2);
    page.writeCurrents();
    EXPECT_EQ(written.count(), 0);
    EXPECT_TRUE(child<QLabel>(page, "loadProblem")->text().contains(QStringLiteral("two")));

    type(page, "loadValves", QStringLiteral("EL34, XYZ99"));
    EXPECT_TRUE(child<QLabel>(page, "loadProblem")->text().contains(QStringLiteral("XYZ99")));
    EXPECT_FALSE(child<QPushButton>(page, "loadWrite")->isEnabled());

    AnalysisResult analysis;
    analysis.primaryVoltage = 230;
    analysis.secondaries = {SecondaryResult{300, 0.1, 0, 300, 0, 30, 0},
                            SecondaryResult{6.3, 3.9, 0, 6.3, 0, 24.57, 0},
                            SecondaryResult{5, 1.9, 0, 5, 0, 9.5, 0}};
    analysis.primaryPower = 64.07 / 0.9;
    page.showVaBudget(designVaBudget(analysis, {}));
    const QString budget = child<QLabel>(page, "loadBudget")->text();
    EXPECT_TRUE(budget.contains(QStringLiteral("Total 64.07 VA"))) << budget.toStdString();
    EXPECT_TRUE(budget.contains(QStringLiteral("500 mA slow-blow"))) << budget.toStdString();
}

} // namespace
} // namespace ferrolux
