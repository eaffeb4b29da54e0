#include "bench_modes.h"

#include "laminations.h"
#include "plain_decimal.h"
#include "printable_text.h"
#include "resistance_rise.h"
#include "valve_heaters.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace ferrolux {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 2;

int refused(std::ostream &err, const std::string &problem)
{
    err << "ferrolux-report: " << printableText(problem) << "\n";
    return kExitFailure;
}

int finish(std::ostream &out, std::ostream &err)
{
    out.flush();
    if (!out) {
        err << "ferrolux-report: cannot write to standard output\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string dumped(const Json &json)
{
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

double volts(int millivolts)
{
    return millivolts / 1000.0;
}

double amps(long long milliamps)
{
    return static_cast<double>(milliamps) / 1000.0;
}

int runRise(const BenchOptions &o, std::ostream &out, std::ostream &err)
{
    const Conductor conductor = conductorFromName(o.conductor).value_or(Conductor::Copper);
    const double k = conductorConstantK(conductor);
    const ResistanceReadings readings{o.readings.at(0), o.readings.at(1), o.readings.at(2),
                                      o.readings.at(3)};
    const Checked<MeasuredRise> checked = riseFromResistance(readings, k);
    if (const auto *problem = std::get_if<InputProblem>(&checked)) {
        return refused(err, problem->message);
    }
    const MeasuredRise &rise = std::get<MeasuredRise>(checked);
    if (o.json) {
        out << dumped(Json{{"conductor", std::string(conductorName(conductor))},
                           {"k", k},
                           {"r_cold", readings.coldOhms},
                           {"t_cold_c", readings.coldC},
                           {"r_hot", readings.hotOhms},
                           {"ambient_c", readings.ambientC},
                           {"rise_k", rise.riseK},
                           {"winding_c", rise.windingC}});
        return finish(out, err);
    }
    out << "Rise by resistance (" << conductorName(conductor) << ", k = " << plainDecimalText(k)
        << ")\n"
        << "Rise                 " << fixed(rise.riseK, 3) << " K\n"
        << "Winding temperature  " << fixed(rise.windingC, 3)
        << " \xC2\xB0"
           "C (the average; the hot spot is hotter)\n";
    return finish(out, err);
}

int runLamination(const BenchOptions &o, std::ostream &out, std::ostream &err)
{
    std::string name = "custom";
    CoreShape shape;
    if (!o.laminationName.empty()) {
        const std::optional<Lamination> lamination = findLamination(o.laminationName);
        if (!lamination) {
            return refused(err, "unknown lamination '" + o.laminationName + "'; the table has " +
                                    laminationNames() + " (or give --tongue and --window)");
        }
        name = std::string(lamination->name);
        shape = coreShapeOf(*lamination);
    } else {
        shape = CoreShape{*o.tongueCm, o.windowCm.at(0), o.windowCm.at(1)};
    }
    CoreConditions c;
    c.stackCm = o.stackCm;
    c.fluxT = o.fluxT.value_or(c.fluxT);
    c.mainsV = o.mainsV.value_or(c.mainsV);
    c.hz = o.hz.value_or(c.hz);
    c.stackingFactor = o.stackingFactor.value_or(c.stackingFactor);
    c.riseK = o.riseK.value_or(c.riseK);
    c.efficiency = o.efficiency.value_or(c.efficiency);
    const Checked<CoreFigures> checked = coreFigures(shape, c);
    if (const auto *problem = std::get_if<InputProblem>(&checked)) {
        return refused(err, problem->message);
    }
    const CoreFigures &f = std::get<CoreFigures>(checked);
    if (o.json) {
        out << dumped(Json{{"lamination", name},
                           {"tongue_cm", shape.tongueCm},
                           {"window_width_cm", shape.windowWidthCm},
                           {"window_height_cm", shape.windowHeightCm},
                           {"stack_cm", c.stackCm},
                           {"flux_t", c.fluxT},
                           {"mains_v", c.mainsV},
                           {"hz", c.hz},
                           {"stacking_factor", c.stackingFactor},
                           {"rise_k", c.riseK},
                           {"efficiency", c.efficiency},
                           {"kj", f.kj},
                           {"ac_cm2", f.acCm2},
                           {"ac_net_cm2", f.acNetCm2},
                           {"wa_cm2", f.waCm2},
                           {"ap_cm4", f.apCm4},
                           {"turns_per_volt", f.turnsPerVolt},
                           {"primary_turns", f.primaryTurns},
                           {"va_estimate", f.vaEstimate}});
        return finish(out, err);
    }
    const std::string cm2 = " cm\xC2\xB2\n";
    out << "Lamination " << name << ": tongue " << plainDecimalText(shape.tongueCm)
        << " cm, window " << plainDecimalText(shape.windowWidthCm) << " x "
        << plainDecimalText(shape.windowHeightCm) << " cm, stack " << plainDecimalText(c.stackCm)
        << " cm\n"
        << "At " << plainDecimalText(c.fluxT) << " T, " << plainDecimalText(c.mainsV) << " V "
        << plainDecimalText(c.hz) << " Hz, stacking factor " << plainDecimalText(c.stackingFactor)
        << ", rise " << c.riseK << " K (Kj " << plainDecimalText(f.kj) << "), efficiency "
        << plainDecimalText(c.efficiency) << "\n"
        << "Core area Ac         " << fixed(f.acCm2, 2) << cm2 << "Net iron area        "
        << fixed(f.acNetCm2, 2) << cm2 << "Window area Wa       " << fixed(f.waCm2, 2) << cm2
        << "Area product Ap      " << fixed(f.apCm4, 1) << " cm\xE2\x81\xB4\n"
        << "Turns per volt       " << fixed(f.turnsPerVolt, 3) << "\n"
        << "Primary turns        " << f.primaryTurns << "\n"
        << "VA estimate          " << fixed(f.vaEstimate, 1) << " VA\n";
    return finish(out, err);
}

int runValves(const BenchOptions &o, std::ostream &out, std::ostream &err)
{
    const auto checked = parseValveList(o.valveList);
    if (const auto *problem = std::get_if<InputProblem>(&checked)) {
        return refused(err, problem->message);
    }
    const std::vector<ValveCount> &valves = std::get<std::vector<ValveCount>>(checked);
    const std::vector<HeaterTotal> totals = heaterTotals(valves);
    if (o.json) {
        Json list = Json::array();
        for (const ValveCount &v : valves) {
            list.push_back(
                Json{{"name", v.name},
                     {"type", std::string(v.valve.type())},
                     {"count", v.count},
                     {"heater_voltage", volts(v.valve.millivolts)},
                     {"heater_current_a", amps(v.valve.milliamps)},
                     {"heating", v.valve.heating == Heating::Direct ? "direct" : "indirect"},
                     {"series_string_ma", v.valve.seriesStringMilliamps == 0
                                              ? Json(nullptr)
                                              : Json(v.valve.seriesStringMilliamps)},
                     {"source", std::string(v.valve.source)}});
        }
        Json heaters = Json::array();
        for (const HeaterTotal &t : totals) {
            heaters.push_back(
                Json{{"voltage", volts(t.millivolts)}, {"current_a", amps(t.milliamps)}});
        }
        out << dumped(Json{{"valves", list}, {"heaters", heaters}});
        return finish(out, err);
    }
    for (const ValveCount &v : valves) {
        out << v.count << " x " << v.name << "  " << plainDecimalText(volts(v.valve.millivolts))
            << " V " << plainDecimalText(amps(v.valve.milliamps)) << " A"
            << (v.valve.centreTapped() ? " (centre-tapped heater, counted at 6.3 V)" : "")
            << (v.valve.seriesStringMilliamps != 0
                    ? " (series-string type, " + std::to_string(v.valve.seriesStringMilliamps) +
                          " mA)"
                    : "")
            << "\n";
    }
    out << "Heaters:\n";
    for (const HeaterTotal &t : totals) {
        out << "  " << plainDecimalText(volts(t.millivolts)) << " V  "
            << plainDecimalText(amps(t.milliamps)) << " A\n";
    }
    return finish(out, err);
}

} // namespace

int runBenchMode(const BenchOptions &options, std::ostream &out, std::ostream &err)
{
    switch (options.mode) {
    case BenchMode::RiseFromResistance:
        return runRise(options, out, err);
    case BenchMode::Lamination:
        return runLamination(options, out, err);
    case BenchMode::Valves:
        break;
    }
    return runValves(options, out, err);
}

} // namespace ferrolux
