#include "rise_measurements.h"

#include "line_format.h"
#include "thermal_models.h"

#include <cmath>

namespace ferrolux {

std::string measuredWindingTitle(int winding)
{
    return winding == 0 ? std::string("Primary") : "Secondary " + std::to_string(winding);
}

RiseFigures measuredRises(const RiseMeasurements &measurements)
{
    RiseFigures figures;
    double sum = 0;
    int accepted = 0;
    for (int w = 0; w < kMeasuredWindings; ++w) {
        const auto &reading = measurements.windings[static_cast<std::size_t>(w)];
        if (!reading) {
            continue;
        }
        const ResistanceReadings readings{reading->coldOhms, reading->coldC, reading->hotOhms,
                                          measurements.ambientC};
        WindingRise winding{w, riseFromResistance(readings, measurements.conductor)};
        if (const auto *rise = std::get_if<MeasuredRise>(&winding.rise)) {
            sum += rise->riseK;
            ++accepted;
        }
        figures.windings.push_back(std::move(winding));
    }
    if (accepted > 0) {
        figures.averageRiseK = sum / accepted;
    }
    for (std::size_t m = 0; m < kThermalModels.size(); ++m) {
        figures.models[m].model = kThermalModels[m];
    }
    return figures;
}

std::vector<CalibratedRow> calibratedRows(const std::array<std::optional<double>, 3> &factors,
                                          const ThermalCheck &check, const ThermalInputs &inputs)
{
    std::vector<CalibratedRow> rows;
    if (!check.available) {
        return rows;
    }
    for (std::size_t m = 0; m < factors.size(); ++m) {
        if (!factors[m] || !std::isfinite(*factors[m]) || *factors[m] < 0) {
            continue;
        }
        CalibratedRow row;
        row.model = check.models[m].model;
        row.factor = *factors[m];
        row.riseK = row.factor * check.models[m].riseK;
        row.windingC = inputs.ambientC + row.riseK;
        row.hotSpotC = row.windingC + inputs.hotSpotAllowanceK;
        rows.push_back(row);
    }
    return rows;
}

RiseFigures riseFigures(const RiseMeasurements &measurements, const ThermalCheck &check,
                        const ThermalInputs &inputs)
{
    RiseFigures figures = measuredRises(measurements);
    if (!check.available) {
        return figures;
    }
    ThermalInputs atMeasuredAmbient = inputs;
    atMeasuredAmbient.ambientC = measurements.ambientC;
    const ThermalGeometry geometry{check.surfaceCm2, check.meanLengthM};
    const bool modelsRun = thermalUnavailableReason(geometry, atMeasuredAmbient).empty();
    for (ModelComparison &comparison : figures.models) {
        comparison.predictedRiseK =
            modelsRun ? modelRiseK(comparison.model, check.heatW, geometry, atMeasuredAmbient)
                      : std::nan("");
        if (figures.averageRiseK) {
            comparison.ratio =
                riseCalibrationFactor(*figures.averageRiseK, comparison.predictedRiseK);
        }
    }
    figures.calibrated = calibratedRows(measurements.calibration, check, inputs);
    return figures;
}

std::array<std::optional<double>, 3> calibrationFrom(const RiseFigures &figures)
{
    std::array<std::optional<double>, 3> factors{};
    for (std::size_t m = 0; m < factors.size(); ++m) {
        factors[m] = figures.models[m].ratio;
    }
    return factors;
}

std::vector<std::string> riseCheckLines(const RiseMeasurements &measurements,
                                        const RiseFigures &figures)
{
    std::vector<std::string> lines;
    const std::string conductor(conductorName(measurements.conductor));
    lines.push_back(
        formatLine("Measured by resistance (%s, k = %.1f), ambient %.1f %s:", conductor.c_str(),
                   conductorConstantK(measurements.conductor), measurements.ambientC, kDegreeC));
    for (const WindingRise &w : figures.windings) {
        const std::string title = measuredWindingTitle(w.winding);
        const auto &reading = *measurements.windings[static_cast<std::size_t>(w.winding)];
        if (const auto *rise = std::get_if<MeasuredRise>(&w.rise)) {
            lines.push_back(formatLine("  %-12s %.6g ohm at %.1f %s, %.6g ohm hot: rise %.2f K, "
                                       "winding %.1f %s",
                                       title.c_str(), reading.coldOhms, reading.coldC, kDegreeC,
                                       reading.hotOhms, rise->riseK, rise->windingC, kDegreeC));
        } else {
            lines.push_back("  " + title + ": not used, " + std::get<InputProblem>(w.rise).message);
        }
    }
    if (!figures.averageRiseK) {
        lines.push_back("No winding's readings give a rise.");
    } else {
        lines.push_back(formatLine("Measured average rise %.2f K", *figures.averageRiseK));
        lines.push_back("Model                     Predicted   Measured/predicted");
        for (const ModelComparison &m : figures.models) {
            const std::string title(thermalModelTitle(m.model));
            const std::string ratio = m.ratio ? formatLine("%.3f", *m.ratio) : std::string("-");
            lines.push_back(
                formatLine("%-24s %8.2f K   %s", title.c_str(), m.predictedRiseK, ratio.c_str()));
        }
    }
    for (const CalibratedRow &row : figures.calibrated) {
        const std::string title(thermalModelTitle(row.model));
        lines.push_back(formatLine("Calibrated %s (x %.3f): rise %.2f K, winding %.1f %s, hot "
                                   "spot %.1f %s (calibrated; average winding temperature "
                                   "plus the hot-spot allowance)",
                                   title.c_str(), row.factor, row.riseK, row.windingC, kDegreeC,
                                   row.hotSpotC, kDegreeC));
    }
    return lines;
}

} // namespace ferrolux
