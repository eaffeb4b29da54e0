#include "supply_limits.h"

namespace ferrolux {

namespace {

LimitCheck most(std::string_view key, std::string_view title, double value, double limit)
{
    return {key, title, value, limit, false, value > limit};
}

LimitCheck least(std::string_view key, std::string_view title, double value, double limit)
{
    return {key, title, value, limit, true, value < limit};
}

// The capacitance the rectifier sees first (capacitors before any series part), 0 for a
// choke input; and the resistance in series with one plate up to that capacitor.
double inputCapacitanceUf(const SupplyCircuit &supply)
{
    double uf = 0;
    for (const FilterPart &part : supply.filter) {
        if (part.kind != FilterPartKind::ShuntCapacitor) {
            break;
        }
        uf += part.capacitanceUf;
    }
    return uf;
}

double plateSupplyOhm(const SupplyCircuit &supply)
{
    double ohms = supply.windingOhm;
    for (const FilterPart &part : supply.filter) {
        if (part.kind == FilterPartKind::ShuntCapacitor) {
            break;
        }
        ohms += part.resistanceOhm;
    }
    return ohms;
}

} // namespace

std::vector<LimitCheck> supplyLimits(const SupplyCircuit &supply, const SupplyFigures &steady,
                                     const SwitchOnFigures &switchOn)
{
    std::vector<LimitCheck> checks;
    if (supply.rectifier.kind == RectifierKind::Valve) {
        const RectifierValve *valve = findRectifierValve(supply.rectifier.part);
        if (!valve) {
            return checks;
        }
        // A limit of 0 is one the table has no source for: it is not checked.
        if (valve->maxDcA > 0) {
            checks.push_back(
                most("dc_current", "DC output current (A)", steady.loadMeanA, valve->maxDcA));
        }
        // Some sheets allow a higher reverse voltage at a smaller output current.
        if (const double maxPiv = maxPivAt(*valve, steady.loadMeanA); maxPiv > 0) {
            checks.push_back(most("piv", "Peak inverse voltage (V)", steady.pivV, maxPiv));
        }
        if (valve->maxPeakA > 0) {
            checks.push_back(most("peak_current", "Peak plate current (A)", steady.rectifierPeakA,
                                  valve->maxPeakA));
        }
        if (valve->maxSurgeA > 0) {
            checks.push_back(most("surge_current", "Switch-on surge current (A)",
                                  switchOn.surgePeakA, valve->maxSurgeA));
        }
        const double inputUf = inputCapacitanceUf(supply);
        if (const PlateRating *rating = plateRatingAt(*valve, supply.windingVac);
            rating && inputUf > 0) {
            if (rating->maxInputUf > 0) {
                checks.push_back(
                    most("input_capacitor", "Input capacitor (uF)", inputUf, rating->maxInputUf));
            }
            if (rating->minSupplyOhm > 0) {
                checks.push_back(least("supply_impedance",
                                       "Plate-supply resistance per plate (ohm)",
                                       plateSupplyOhm(supply), rating->minSupplyOhm));
            }
        }
    } else if (supply.rectifier.kind == RectifierKind::SiliconPreset) {
        const SiliconDiode *diode = findSiliconDiode(supply.rectifier.part);
        if (!diode) {
            return checks;
        }
        checks.push_back(most("mean_current", "Mean current per diode (A)", steady.rectifierMeanA,
                              diode->maxAverageA));
        checks.push_back(most("piv", "Peak inverse voltage (V)", steady.pivV, diode->maxReverseV));
        checks.push_back(most("surge_current", "Switch-on surge current (A)", switchOn.surgePeakA,
                              diode->maxSurgeA));
    }
    return checks;
}

} // namespace ferrolux
