#include "json_report.h"

#include "report.h"

#include <nlohmann/json.hpp>
#include <utility>

namespace ferrolux {

namespace {

using Json = nlohmann::ordered_json;

// A zero is printed as 0 whatever its sign: "-0.0" means nothing to a reader.
void dropNegativeZeros(Json &json)
{
    if (json.is_number_float() && json.get<double>() == 0) {
        json = 0.0;
    } else if (json.is_structured()) {
        for (Json &child : json) {
            dropNegativeZeros(child);
        }
    }
}

Json optionalNumber(const std::optional<double> &value)
{
    return value ? Json(*value) : Json(nullptr);
}

Json primaryJson(const AnalysisResult &r)
{
    return Json{{"voltage", r.primaryVoltage},
                {"resistance", r.primaryResistance},
                {"current", r.primaryCurrent},
                {"power", r.primaryPower},
                {"dissipation", r.primaryDissipation},
                {"percent_dissipation", r.primaryPercentDissipation}};
}

Json secondariesJson(const TransformerDesign &design, const AnalysisResult &r,
                     const EngineeringChecks &checks)
{
    Json list = Json::array();
    for (std::size_t i = 0; i < r.secondaries.size(); ++i) {
        const SecondaryResult &s = r.secondaries[i];
        const WindingHeadroom &h = checks.headroom.at(i);
        list.push_back(Json{{"voltage", s.enteredVoltage},
                            {"voltage_loaded", s.loadedVoltage},
                            {"current", s.current},
                            {"resistance", s.resistance},
                            {"power", s.outputPower},
                            {"dissipation", s.dissipation},
                            {"percent_dissipation", s.percentDissipation},
                            {"searched", design.secondaries.at(i).current == 0},
                            {"winding", h.plate ? "plate" : "filament"},
                            {"current_limit", optionalNumber(h.currentLimit)},
                            {"load_percent", optionalNumber(h.loadPercent)}});
    }
    return list;
}

Json thermalJson(const EngineeringChecks &checks, const ThermalInputs &inputs)
{
    const ThermalCheck &t = checks.thermal;
    const auto figure = [&t](double value) { return t.available ? Json(value) : Json(nullptr); };
    Json models = Json::array();
    if (t.available) {
        for (const ModelEstimate &e : t.models) {
            models.push_back(Json{{"name", std::string(thermalModelKey(e.model))},
                                  {"rise_k", e.riseK},
                                  {"hot_spot_c", e.hotSpotC}});
        }
    }
    Json thermal{{"ambient_c", inputs.ambientC},
                 {"insulation_class", std::string(insulationClassName(inputs.insulationClass))},
                 {"class_limit_c", t.classLimitC},
                 {"hot_spot_allowance_k", inputs.hotSpotAllowanceK},
                 {"core_loss_w", inputs.coreLossW},
                 {"emissivity", inputs.emissivity},
                 {"heat_w", t.heatW},
                 {"models", models},
                 {"hottest_c", figure(t.hottestC)},
                 {"margin_k", figure(t.marginK)},
                 {"within_class", t.available ? Json(t.withinClass) : Json(nullptr)},
                 {"load_scale_at_class_limit", optionalNumber(t.loadScaleAtClassLimit)}};
    if (!t.available) {
        thermal["unavailable"] = t.unavailableReason;
    }
    return thermal;
}

Json mainsJson(const std::vector<MainsPoint> &mains)
{
    Json list = Json::array();
    for (const MainsPoint &p : mains) {
        list.push_back(Json{{"percent", p.percent},
                            {"primary_voltage", p.primaryVoltage},
                            {"secondary_voltages_loaded", p.secondaryVoltagesLoaded},
                            {"heat_w", p.heatW},
                            {"hottest_c", p.hottestC}});
    }
    return list;
}

Json reportJson(const TransformerDesign &design, const AnalysisResult &result,
                const EngineeringChecks &checks, const ThermalInputs &inputs)
{
    return Json{{"report", buildReport(result)},
                {"primary", primaryJson(result)},
                {"secondaries", secondariesJson(design, result, checks)},
                {"surface_cm2", result.surfaceCm2},
                {"total_dissipation_w", result.totalDissipation},
                {"total_percent_dissipation", result.totalPercentDissipation},
                {"power_density_w_per_m2", result.powerDensity},
                {"temperature_f", result.temperatureF},
                {"temperature_c", checks.reportTemperatureC},
                {"temperature_below_ambient", checks.reportTemperatureBelowAmbient},
                {"thermal", thermalJson(checks, inputs)},
                {"mains", mainsJson(checks.mains)}};
}

std::string dumped(Json json)
{
    dropNegativeZeros(json);
    return json.dump(2, ' ', false, Json::error_handler_t::replace);
}

} // namespace

std::string jsonReport(const TransformerDesign &design, const AnalysisResult &result,
                       const EngineeringChecks &checks, const ThermalInputs &inputs)
{
    return dumped(reportJson(design, result, checks, inputs));
}

std::string jsonNumber(double value)
{
    Json json(value);
    dropNegativeZeros(json);
    return json.dump();
}

std::string jsonReport(const Evaluation &evaluation)
{
    Json json = reportJson(*evaluation.numeric, *evaluation.result, evaluation.checks.checks,
                           evaluation.design.extras.thermal);
    // Figures the evaluation holds beyond the analysis and its checks get their keys here.
    return dumped(std::move(json));
}

} // namespace ferrolux
