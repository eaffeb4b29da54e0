#pragma once

// EI laminations: the table of standard sizes and what a stack of them can carry.

#include "input_problem.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ferrolux {

struct Lamination
{
    std::string_view name; // "EI96": the outer width of the E in millimetres
    double tongueMm;       // width of the centre limb
    double windowWidthMm;
    double windowHeightMm;
    std::string_view source;
};

// Every lamination in the table, smallest first.
std::span<const Lamination> laminationTable();

// The lamination of that name ("EI96", "ei 96", "EI-96"); nullopt when the table has none.
std::optional<Lamination> findLamination(std::string_view name);

// "EI30, EI42, ...": every name in the table, for messages and help.
std::string laminationNames();

// The core as the figures below read it, in centimetres.
struct CoreShape
{
    double tongueCm = 0;
    double windowWidthCm = 0;
    double windowHeightCm = 0;
};

CoreShape coreShapeOf(const Lamination &lamination);

struct CoreConditions
{
    double stackCm = 0;
    double fluxT = 1.2;
    double mainsV = 230;
    double hz = 50;
    double stackingFactor = 0.95;
    int riseK = 25; // 25 or 50: picks Kj
    double efficiency = 0.9;
};

struct CoreFigures
{
    double acCm2 = 0;    // tongue × stack
    double acNetCm2 = 0; // × stacking factor: the iron itself
    double waCm2 = 0;    // window width × height
    double apCm4 = 0;    // area product Ac · Wa
    double turnsPerVolt = 0;
    long primaryTurns = 0; // mains × turns per volt, in whole turns (fraction dropped)
    double kj = 0;         // current-density constant for the rise
    double vaEstimate = 0; // output the core can carry at that rise
};

// Ac = tongue · stack; Ac_net = Ac · stacking factor; Wa = window width · height; Ap = Ac · Wa;
// turns per volt = 1 / (4.44 · f · B · Ac_net[m²]); Pt = Ap^0.88 · 4.44 · 0.4 · B · f · Kj / 10⁴
// with Kj = 366 (25 K) or 534 (50 K); VA = Pt / (1/η + 1).
// Refused: sizes that are not finite and above 0 (or above 100 cm), a flux outside 0.1 to 2 T,
// mains outside 1 to 1000 V, a frequency outside 1 to 1000 Hz, a stacking factor outside
// 0.5 to 1, a rise other than 25 or 50 K and an efficiency outside 0.1 to 1.
Checked<CoreFigures> coreFigures(const CoreShape &shape, const CoreConditions &conditions);

} // namespace ferrolux
