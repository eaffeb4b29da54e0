#include "rectifier_parts.h"

#include "valve_heaters.h"

#include <array>
#include <cctype>
#include <cmath>

namespace ferrolux {

namespace {

// Capacitor-input ratings per plate: {plate V rms, largest input µF, smallest ohms per plate}.
// A plate voltage of 0 is a figure the source gives without one (it holds at every voltage);
// a capacitance or resistance of 0 is one no source was found for, and is not checked.
constexpr PlateRating k5Y3GT[] = {{0, 20, 0}};
constexpr PlateRating k5U4G[] = {{450, 40, 75}};
constexpr PlateRating k5U4GB[] = {{0, 40, 0}};
constexpr PlateRating kGZ34[] = {{0, 60, 0}};
constexpr PlateRating kGZ37[] = {{0, 4, 75}};
constexpr PlateRating k5R4GY[] = {{0, 4, 250}};
constexpr PlateRating kEZ80[] = {{250, 50, 125}, {275, 50, 175}, {300, 50, 215}, {350, 50, 300}};
constexpr PlateRating k6X4[] = {{325, 0, 525}};

// Peak inverse voltage against DC output current: {largest DC output A, largest PIV V}.
constexpr PivRating k5R4GYPiv[] = {{0.150, 2800}, {0.175, 2400}, {0.250, 2100}};

// One row per valve: drop V at A per plate; max DC A; max PIV V; max peak A per plate; max
// surge A per plate; capacitor-input ratings; source. A limit of 0 is one no source was found
// for: it is left out rather than guessed, so it is not checked. The heater is not here: it is
// the valve heater table's row for the same valve (rectifierHeater).
constexpr std::array kValves = {
    RectifierValve{"5Y3GT", 60, 0.125, 0.125, 0, 0, 0, k5Y3GT,
                   "RCA 5Y3G and 5Y3GT data sheets (tubeofile.com 5Y3); RCA Receiving Tube "
                   "Manual RC-19 (drop)"},
    RectifierValve{"5U4G", 58, 0.225, 0.225, 0, 0, 0, k5U4G,
                   "RCA 5Z3 data sheet, whose ratings and drop are the 5U4G's (tubeofile.com "
                   "5Z3); Emission Labs 5U4G data sheet"},
    RectifierValve{"5U4GB", 44, 0.225, 0, 0, 1.0, 0, k5U4GB,
                   "General Electric 5U4GB data sheet ET-T1548, as quoted by monoandstereo.com "
                   "(2021)"},
    RectifierValve{"5AR4/GZ34", 17, 0.250, 0, 0, 0, 0, kGZ34,
                   "Mullard GZ34 data sheet; its reservoir as quoted at tubeofile.com GZ37"},
    RectifierValve{"5V4G", 25, 0.175, 0, 0, 0, 0, {}, "RCA 5V4G data sheet (no limit seen)"},
    RectifierValve{"GZ32", 20, 0.250, 0, 0, 0, 0, {}, "Mullard GZ32 data sheet (no limit seen)"},
    RectifierValve{"GZ37", 16, 0.350, 0.250, 1600, 0, 0, kGZ37,
                   "Mullard GZ37 data sheet (tubeofile.com GZ37)"},
    RectifierValve{"5R4GY", 67, 0.250, 0.250, 0, 0, 0, k5R4GY,
                   "RCA 5R4GY data sheet (tubeofile.com 5R4)", k5R4GYPiv},
    RectifierValve{"5Z4", 23, 0.125, 0, 0, 0, 0, {}, "RCA 5Z4 data sheet (no limit seen)"},
    RectifierValve{"EZ80/6V4", 20, 0.090, 0.090, 0, 0, 0, kEZ80,
                   "Mullard EZ80 data sheet; Philips EZ40 data sheet, whose ratings are the "
                   "EZ80's (tubeofile.com EZ40)"},
    RectifierValve{"EZ81/6CA4",
                   10,
                   0.060,
                   0.150,
                   0,
                   0,
                   0,
                   {},
                   "Philips EZ81 data sheet, January 1970, anode characteristic"},
    RectifierValve{"6X4/EZ90", 22, 0.070, 0.070, 0, 0, 0, k6X4,
                   "RCA and General Electric 6X4 data sheets (tubeofile.com 6X4)"},
};

// Silicon diodes: knee voltage and resistance chosen so that the law passes through the
// sheet's largest forward voltage at its test current (see docs/supply-simulation.md).
constexpr std::array kDiodes = {
    SiliconDiode{"1N4007", 0.7, 0.4, 1.0, 30, 1000,
                 "Vishay 1N4001 thru 1N4007 data sheet: VF 1.1 V at 1 A, IFSM 30 A"},
    SiliconDiode{"UF4007", 0.9, 0.8, 1.0, 30, 1000,
                 "Vishay UF4001 thru UF4007 data sheet: VF 1.7 V at 1 A, IFSM 30 A"},
    SiliconDiode{"1N5408", 0.7, 0.4 / 3.0, 3.0, 200, 1000,
                 "Rectron 1N5400G thru 1N5408G data sheet: VF 1.1 V at 3 A, IFSM 200 A"},
};

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::span<const RectifierValve> rectifierValves()
{
    return kValves;
}

std::span<const SiliconDiode> siliconDiodes()
{
    return kDiodes;
}

const RectifierValve *findRectifierValve(std::string_view name)
{
    for (const RectifierValve &valve : kValves) {
        if (sameName(valve.name, name)) {
            return &valve;
        }
        std::string_view names = valve.name;
        while (!names.empty()) {
            const std::size_t slash = names.find('/');
            if (sameName(names.substr(0, slash), name)) {
                return &valve;
            }
            names = slash == std::string_view::npos ? std::string_view{} : names.substr(slash + 1);
        }
    }
    return nullptr;
}

const SiliconDiode *findSiliconDiode(std::string_view name)
{
    for (const SiliconDiode &diode : kDiodes) {
        if (sameName(diode.name, name)) {
            return &diode;
        }
    }
    return nullptr;
}

std::optional<ValveHeater> rectifierHeater(const RectifierValve &valve)
{
    std::string_view names = valve.name;
    while (!names.empty()) {
        const std::size_t slash = names.find('/');
        if (auto heater = findValve(names.substr(0, slash))) {
            return heater;
        }
        names = slash == std::string_view::npos ? std::string_view{} : names.substr(slash + 1);
    }
    return std::nullopt;
}

DiodeLaw valveLaw(const RectifierValve &valve)
{
    return DiodeLaw{0, 0, valve.dropAtA / std::pow(valve.dropV, 1.5), 1.5};
}

DiodeLaw siliconLaw(const SiliconDiode &diode)
{
    return DiodeLaw{diode.forwardV, diode.resistanceOhm, std::nullopt, std::nullopt};
}

const PlateRating *plateRatingAt(const RectifierValve &valve, double plateVrms)
{
    if (valve.ratings.empty()) {
        return nullptr;
    }
    for (const PlateRating &rating : valve.ratings) {
        if (rating.plateVrms >= plateVrms) {
            return &rating;
        }
    }
    return &valve.ratings.back();
}

double maxPivAt(const RectifierValve &valve, double dcA)
{
    if (valve.pivByCurrent.empty()) {
        return valve.maxPivV;
    }
    for (const PivRating &rating : valve.pivByCurrent) {
        if (rating.maxDcA >= dcA) {
            return rating.maxPivV;
        }
    }
    return valve.pivByCurrent.back().maxPivV;
}

} // namespace ferrolux
