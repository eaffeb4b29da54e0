#pragma once

// Temperature rise measured on the built transformer: each winding's resistance cold and hot,
// the average rise they give, each thermal model's prediction for the same load and ambient,
// and the calibration factors that make the models agree with the measurement.

#include "engineering_checks.h"
#include "input_problem.h"
#include "resistance_rise.h"
#include "secondary_texts.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ferrolux {

// The windings that can be measured: the primary (0) and secondaries 1 to 6.
inline constexpr int kMeasuredWindings = 1 + kMaxSecondaries;

// "Primary", "Secondary 1", ... for winding 0, 1, ...
std::string measuredWindingTitle(int winding);

struct WindingReading
{
    double coldOhms = 0;
    double coldC = 20; // the winding's temperature when the cold resistance was read
    double hotOhms = 0;

    bool operator==(const WindingReading &) const = default;
};

struct RiseMeasurements
{
    std::array<std::optional<WindingReading>, kMeasuredWindings> windings{};
    double ambientC = 25; // the cooling air at the end of the load run
    Conductor conductor = Conductor::Copper;
    // measured / predicted per model, kThermalModels order; nullopt: not calibrated.
    std::array<std::optional<double>, 3> calibration{};

    bool operator==(const RiseMeasurements &) const = default;
};

struct WindingRise
{
    int winding = 0;
    Checked<MeasuredRise> rise;
};

struct ModelComparison
{
    ThermalModel model = ThermalModel::McLyman;
    double predictedRiseK = 0;   // for the design's load at the measured ambient
    std::optional<double> ratio; // measured / predicted, where a factor can be had
};

// A model's rise scaled by its calibration factor: the average winding temperature, to which
// the hot-spot allowance is still added.
struct CalibratedRow
{
    ThermalModel model = ThermalModel::McLyman;
    double factor = 1;
    double riseK = 0;
    double windingC = 0; // ambient + calibrated rise
    double hotSpotC = 0; // winding + hot-spot allowance
};

struct RiseFigures
{
    std::vector<WindingRise> windings; // the windings with readings, in order
    // The mean of the windings' rises that were accepted; nullopt when none was.
    std::optional<double> averageRiseK;
    std::array<ModelComparison, 3> models{};
    std::vector<CalibratedRow> calibrated; // the models that have a factor
};

// Each winding's rise by the resistance method and their mean.
RiseFigures measuredRises(const RiseMeasurements &measurements);

// The measured rises beside the models for the design's heat and surface (taken from the
// check) at the measured ambient, and the calibrated rows at the check's own inputs.
RiseFigures riseFigures(const RiseMeasurements &measurements, const ThermalCheck &check,
                        const ThermalInputs &inputs);

// What "Calibrate" stores: the ratio of every model that has one.
std::array<std::optional<double>, 3> calibrationFrom(const RiseFigures &figures);

// The calibrated rows for the check's models: rise = factor · predicted rise.
std::vector<CalibratedRow> calibratedRows(const std::array<std::optional<double>, 3> &factors,
                                          const ThermalCheck &check, const ThermalInputs &inputs);

// The measurement's lines of the check section; empty when nothing was measured.
std::vector<std::string> riseCheckLines(const RiseMeasurements &measurements,
                                        const RiseFigures &figures);

} // namespace ferrolux
