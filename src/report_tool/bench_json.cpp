#include "bench_json.h"

#include <cmath>

namespace ferrolux {

namespace {

using Json = nlohmann::ordered_json;

Json number(double value)
{
    return std::isfinite(value) ? Json(value == 0 ? 0.0 : value) : Json(nullptr);
}

Json optionalNumber(const std::optional<double> &value)
{
    return value ? number(*value) : Json(nullptr);
}

template <typename T> Json problemJson(const Checked<T> &checked)
{
    return Json{{"refused", std::get<InputProblem>(checked).message}};
}

Json riseJson(const RiseMeasurements &m, const RiseFigures &f)
{
    Json windings = Json::array();
    for (const WindingRise &w : f.windings) {
        const WindingReading &r = *m.windings[static_cast<std::size_t>(w.winding)];
        Json item{{"winding", measuredWindingTitle(w.winding)},
                  {"cold_ohms", number(r.coldOhms)},
                  {"cold_c", number(r.coldC)},
                  {"hot_ohms", number(r.hotOhms)}};
        if (const auto *rise = std::get_if<MeasuredRise>(&w.rise)) {
            item["rise_k"] = number(rise->riseK);
            item["winding_c"] = number(rise->windingC);
        } else {
            item["refused"] = std::get<InputProblem>(w.rise).message;
        }
        windings.push_back(std::move(item));
    }
    Json models = Json::array();
    for (const ModelComparison &c : f.models) {
        models.push_back(Json{{"model", thermalModelKey(c.model)},
                              {"predicted_rise_k", number(c.predictedRiseK)},
                              {"ratio", optionalNumber(c.ratio)}});
    }
    Json calibrated = Json::array();
    for (const CalibratedRow &row : f.calibrated) {
        calibrated.push_back(Json{{"model", thermalModelKey(row.model)},
                                  {"calibrated", true},
                                  {"factor", number(row.factor)},
                                  {"rise_k", number(row.riseK)},
                                  {"winding_c", number(row.windingC)},
                                  {"hot_spot_c", number(row.hotSpotC)}});
    }
    return Json{{"conductor", conductorName(m.conductor)},
                {"ambient_c", number(m.ambientC)},
                {"windings", std::move(windings)},
                {"average_rise_k", optionalNumber(f.averageRiseK)},
                {"models", std::move(models)},
                {"calibrated", std::move(calibrated)}};
}

Json budgetJson(const Checked<DesignVaBudget> &checked)
{
    if (std::holds_alternative<InputProblem>(checked)) {
        return problemJson(checked);
    }
    const DesignVaBudget &d = std::get<DesignVaBudget>(checked);
    Json secondaries = Json::array();
    for (std::size_t i = 0; i < d.budget.secondaryVa.size(); ++i) {
        secondaries.push_back(Json{{"current_a", number(d.secondaryAmps[i])},
                                   {"va", number(d.budget.secondaryVa[i])},
                                   {"from_supply", static_cast<bool>(d.fromSupply[i])}});
    }
    Json fuse = nullptr;
    if (d.fuse) {
        fuse = Json{
            {"fits", d.fuse->fit == FuseFit::Fits},
            {"rating_a", d.fuse->fit == FuseFit::Fits ? number(d.fuse->ratingAmps) : Json(nullptr)},
            {"least_a", number(d.fuse->leastAmps)},
            {"most_a", number(d.fuse->mostAmps)},
            {"slow_blow", true}};
    }
    return Json{{"secondaries", std::move(secondaries)},
                {"total_va", number(d.budget.totalVa)},
                {"efficiency", number(d.efficiency)},
                {"primary_current_a", number(d.budget.primaryAmps)},
                {"primary_fuse", std::move(fuse)}};
}

Json laminationJson(const LaminationChoice &choice, const Checked<LaminationEstimate> &checked)
{
    Json json{{"name", choice.name.empty() ? Json(nullptr) : Json(choice.name)}};
    if (const auto *problem = std::get_if<InputProblem>(&checked)) {
        json["refused"] = problem->message;
        return json;
    }
    const LaminationEstimate &e = std::get<LaminationEstimate>(checked);
    const CoreFigures &f = e.figures;
    const CoreConditions &c = choice.conditions;
    json.update(Json{{"tongue_cm", number(e.shape.tongueCm)},
                     {"window_width_cm", number(e.shape.windowWidthCm)},
                     {"window_height_cm", number(e.shape.windowHeightCm)},
                     {"stack_cm", number(c.stackCm)},
                     {"flux_t", number(c.fluxT)},
                     {"mains_v", number(c.mainsV)},
                     {"hz", number(c.hz)},
                     {"stacking_factor", number(c.stackingFactor)},
                     {"rise_k", c.riseK},
                     {"efficiency", number(c.efficiency)},
                     {"ac_cm2", number(f.acCm2)},
                     {"ac_net_cm2", number(f.acNetCm2)},
                     {"wa_cm2", number(f.waCm2)},
                     {"ap_cm4", number(f.apCm4)},
                     {"turns_per_volt", number(f.turnsPerVolt)},
                     {"primary_turns", f.primaryTurns},
                     {"va_estimate", number(f.vaEstimate)},
                     {"design_va", number(e.designVa)},
                     {"margin_va", number(e.marginVa)},
                     {"load", e.carries() ? "under" : "over"},
                     {"assumes", std::string(laminationAssumptions())}});
    return json;
}

} // namespace

void addBenchJson(Json &json, const BenchEvaluation &bench, const BenchRecords &records)
{
    if (bench.rise && records.measurements) {
        json["measured_rise"] = riseJson(*records.measurements, *bench.rise);
    }
    if (bench.vaBudget) {
        json["va_budget"] = budgetJson(*bench.vaBudget);
    }
    if (bench.lamination && records.lamination) {
        json["lamination"] = laminationJson(*records.lamination, *bench.lamination);
    }
}

} // namespace ferrolux
