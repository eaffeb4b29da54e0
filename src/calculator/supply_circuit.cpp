#include "supply_circuit.h"

#include "plain_decimal.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace ferrolux {

namespace {

constexpr std::pair<RectifierCircuit, std::string_view> kCircuitKeys[] = {
    {RectifierCircuit::HalfWave, "half-wave"},
    {RectifierCircuit::FullWaveCentreTap, "full-wave-ct"},
    {RectifierCircuit::Bridge, "bridge"}};

std::string number(double value)
{
    return plainDecimalText(value);
}

// A value a reason quotes: as typed when it is short, else in six significant digits, so that
// a 1e300 does not fill the message with three hundred digits.
std::string quoted(double value)
{
    if (!std::isfinite(value)) {
        return "a non-number";
    }
    std::string text = number(value);
    if (text.size() > 20) {
        char shorter[32];
        std::snprintf(shorter, sizeof shorter, "%.6g", value);
        text = shorter;
    }
    return text;
}

// "" when `value` lies in (min, max] (or [min, max] when `zeroAllowed`), else the reason.
std::string rangeProblem(const std::string &what, double value, double max, bool zeroAllowed)
{
    if (!std::isfinite(value) || value < 0 || (value == 0 && !zeroAllowed) || value > max) {
        return what + " must be " + (zeroAllowed ? "from 0" : "above 0") + " to " + number(max) +
               ", not " + quoted(value);
    }
    return {};
}

std::string lawProblem(const DiodeLaw &law)
{
    std::string problem = rangeProblem("the diode's forward_v", law.forwardV, kMaxForwardV, true);
    if (problem.empty()) {
        problem = rangeProblem("the diode's resistance_ohm", law.resistanceOhm, kMaxOhm, true);
    }
    if (problem.empty() && law.n && !law.k) {
        problem = "the diode's n needs its k";
    }
    if (problem.empty() && law.k) {
        problem = rangeProblem("the diode's k", *law.k, 1e6, false);
    }
    if (problem.empty() && law.n &&
        (!std::isfinite(*law.n) || *law.n < kMinExponent || *law.n > kMaxExponent)) {
        problem = "the diode's n must be from " + number(kMinExponent) + " to " +
                  number(kMaxExponent) + ", not " + quoted(*law.n);
    }
    return problem;
}

std::string partProblem(const FilterPart &part, std::size_t index)
{
    const std::string where = "filter part " + std::to_string(index + 1) + ": ";
    switch (part.kind) {
    case FilterPartKind::ShuntCapacitor:
        return rangeProblem(where + "c_uf", part.capacitanceUf, kMaxCapacitanceUf, false);
    case FilterPartKind::SeriesChoke: {
        std::string problem = rangeProblem(where + "l_h", part.inductanceH, kMaxInductanceH, false);
        return problem.empty() ? rangeProblem(where + "r_ohm", part.resistanceOhm, kMaxOhm, true)
                               : problem;
    }
    case FilterPartKind::SeriesResistor:
        return rangeProblem(where + "r_ohm", part.resistanceOhm, kMaxOhm, false);
    }
    return {};
}

} // namespace

std::string_view rectifierCircuitKey(RectifierCircuit circuit)
{
    for (const auto &[value, key] : kCircuitKeys) {
        if (value == circuit) {
            return key;
        }
    }
    return "full-wave-ct";
}

std::optional<RectifierCircuit> rectifierCircuitFromKey(std::string_view key)
{
    for (const auto &[value, name] : kCircuitKeys) {
        if (name == key) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<DiodeLaw> rectifierLaw(const Rectifier &rectifier)
{
    switch (rectifier.kind) {
    case RectifierKind::Diode:
        return rectifier.law;
    case RectifierKind::SiliconPreset:
        if (const SiliconDiode *diode = findSiliconDiode(rectifier.part)) {
            return siliconLaw(*diode);
        }
        return std::nullopt;
    case RectifierKind::Valve:
        if (const RectifierValve *valve = findRectifierValve(rectifier.part)) {
            return valveLaw(*valve);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> supplyProblem(const SupplyCircuit &s)
{
    if (!std::isfinite(s.mainsHz) || s.mainsHz < kMinMainsHz || s.mainsHz > kMaxMainsHz) {
        return "mains_hz must be from " + number(kMinMainsHz) + " to " + number(kMaxMainsHz);
    }
    for (const std::string &problem :
         {rangeProblem("the winding's vac", s.windingVac, kMaxWindingVac, false),
          rangeProblem("the winding's resistance_ohm", s.windingOhm, kMaxOhm, true)}) {
        if (!problem.empty()) {
            return problem;
        }
    }
    const std::optional<DiodeLaw> law = rectifierLaw(s.rectifier);
    if (!law) {
        return std::string(s.rectifier.kind == RectifierKind::Valve ? "unknown valve '"
                                                                    : "unknown diode '") +
               s.rectifier.part + "'";
    }
    if (const std::string problem = lawProblem(*law); !problem.empty()) {
        return problem;
    }
    if (s.filter.empty()) {
        return std::string("the filter is empty: it needs at least a capacitor");
    }
    if (s.filter.size() > kMaxFilterParts) {
        return "the filter has more than " + std::to_string(kMaxFilterParts) + " parts";
    }
    for (std::size_t i = 0; i < s.filter.size(); ++i) {
        if (const std::string problem = partProblem(s.filter[i], i); !problem.empty()) {
            return problem;
        }
    }
    if (s.filter.back().kind != FilterPartKind::ShuntCapacitor) {
        return std::string("the filter must end with a capacitor");
    }
    double seriesOhm = 0;
    for (const FilterPart &part : s.filter) {
        if (part.kind == FilterPartKind::ShuntCapacitor) {
            break;
        }
        seriesOhm += part.resistanceOhm;
    }
    if (!law->k && s.windingOhm + law->resistanceOhm + seriesOhm <= 0) {
        return std::string("the rectifier's path has no resistance: give the winding or the "
                           "diode a resistance");
    }
    const bool current = s.load.kind == SupplyLoadKind::ConstantCurrent;
    if (const std::string problem =
            rangeProblem(current ? "the load's current_a" : "the load's resistance_ohm",
                         s.load.value, current ? kMaxLoadA : kMaxOhm, false);
        !problem.empty()) {
        return problem;
    }
    return std::nullopt;
}

} // namespace ferrolux
