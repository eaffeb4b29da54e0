#include "rectifier_parts.h"

#include <array>
#include <cctype>
#include <cmath>

namespace ferrolux {

namespace {

// Capacitor-input ratings per plate: {plate V rms, largest input µF, smallest ohms per plate}.
constexpr PlateRating k5Y3GT[] = {{350, 20, 50}, {500, 20, 140}};
constexpr PlateRating k5U4G[] = {{550, 40, 75}};
constexpr PlateRating k5U4GB[] = {{300, 40, 21}, {450, 40, 67}, {550, 40, 97}};
constexpr PlateRating kGZ34[] = {{300, 60, 75}, {400, 60, 125}, {500, 60, 175}};
constexpr PlateRating k5V4G[] = {{375, 10, 100}};
constexpr PlateRating kGZ32[] = {{300, 60, 75}, {350, 60, 100}};
constexpr PlateRating kGZ37[] = {{350, 60, 75}, {500, 60, 175}};
constexpr PlateRating k5R4GY[] = {{700, 4, 150}, {900, 4, 425}};
constexpr PlateRating k5Z4[] = {{350, 40, 50}, {500, 40, 125}};
constexpr PlateRating kEZ80[] = {{350, 50, 300}};
constexpr PlateRating kEZ81[] = {{350, 50, 240}};
constexpr PlateRating k6X4[] = {{325, 10, 525}};

// One row per valve: heater V, A; drop V at A per plate; max DC A; max PIV V; max peak A per
// plate; max surge A per plate (0: not given); capacitor-input ratings; source.
constexpr std::array kValves = {
    RectifierValve{"5Y3GT", 5.0, 2.0, 60, 0.125, 0.125, 1400, 0.44, 0, k5Y3GT,
                   "RCA 5Y3GT data sheet; RCA Receiving Tube Manual RC-19 (1959)"},
    RectifierValve{"5U4G", 5.0, 3.0, 50, 0.200, 0.225, 1550, 0.675, 0, k5U4G,
                   "RCA 5U4G data sheet; RCA Receiving Tube Manual RC-19 (1959)"},
    RectifierValve{"5U4GB", 5.0, 3.0, 44, 0.225, 0.275, 1550, 1.0, 4.6, k5U4GB,
                   "General Electric 5U4GB data sheet ET-T1548"},
    RectifierValve{"5AR4/GZ34", 5.0, 1.9, 17, 0.250, 0.250, 1500, 0.75, 0, kGZ34,
                   "Mullard GZ34 data sheet (Mullard Technical Handbook)"},
    RectifierValve{"5V4G", 5.0, 2.0, 25, 0.175, 0.175, 1400, 0.525, 0, k5V4G,
                   "RCA 5V4G data sheet; RCA Receiving Tube Manual RC-19 (1959)"},
    RectifierValve{"GZ32", 5.0, 2.3, 20, 0.250, 0.300, 1250, 0.9, 0, kGZ32,
                   "Mullard GZ32 data sheet (Mullard Technical Handbook)"},
    RectifierValve{"GZ37", 5.0, 2.8, 16, 0.350, 0.350, 1500, 1.2, 0, kGZ37,
                   "Mullard GZ37 data sheet (Mullard Technical Handbook)"},
    RectifierValve{"5R4GY", 5.0, 2.0, 67, 0.250, 0.250, 2800, 0.65, 0, k5R4GY,
                   "RCA 5R4GY data sheet; RCA Receiving Tube Manual RC-19 (1959)"},
    RectifierValve{"5Z4", 5.0, 2.0, 23, 0.125, 0.125, 1400, 0.375, 0, k5Z4,
                   "RCA 5Z4 data sheet; RCA Receiving Tube Manual RC-19 (1959)"},
    RectifierValve{"EZ80/6V4", 6.3, 0.6, 20, 0.090, 0.090, 1000, 0.27, 0, kEZ80,
                   "Mullard EZ80 data sheet (Mullard Technical Handbook)"},
    RectifierValve{"EZ81/6CA4", 6.3, 1.0, 10, 0.060, 0.150, 1300, 0.45, 0, kEZ81,
                   "Philips EZ81 data sheet, January 1970, anode characteristic"},
    RectifierValve{"6X4/EZ90", 6.3, 0.6, 22, 0.070, 0.070, 1250, 0.21, 0, k6X4,
                   "RCA 6X4 data sheet; RCA Receiving Tube Manual RC-19 (1959)"},
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

} // namespace ferrolux
