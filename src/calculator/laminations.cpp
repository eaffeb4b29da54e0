#include "laminations.h"

#include "plain_decimal.h"

#include <array>
#include <cctype>
#include <cmath>

namespace ferrolux {

namespace {

// The scrapless EI form: with a = size / 6 the tongue is 2a, the window a wide and 3a high and
// the E 6a × 5a outside, so that two E's and two I's are punched from one strip without waste.
constexpr const char *kScrapless =
    "DIN 41302 / DIN EN 60740-1 EI form; dimensions from the scrapless rule a = size/6";

constexpr Lamination scrapless(std::string_view name, double sizeMm)
{
    const double a = sizeMm / 6;
    return Lamination{name, 2 * a, a, 3 * a, kScrapless};
}

constexpr std::array kLaminations = {
    scrapless("EI30", 30),   scrapless("EI42", 42),   scrapless("EI48", 48),
    scrapless("EI54", 54),   scrapless("EI60", 60),   scrapless("EI66", 66),
    scrapless("EI78", 78),   scrapless("EI84", 84),   scrapless("EI96", 96),
    scrapless("EI120", 120), scrapless("EI150", 150), scrapless("EI192", 192),
    scrapless("EI240", 240),
};

// "ei 96", "EI-96" and "EI96" alike: upper case without blanks, hyphens or underscores.
std::string canonicalName(std::string_view name)
{
    std::string canonical;
    for (const char c : name) {
        if (c != ' ' && c != '-' && c != '_') {
            canonical += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return canonical;
}

bool within(double value, double min, double max)
{
    return std::isfinite(value) && value >= min && value <= max;
}

std::optional<InputProblem> conditionsProblem(const CoreShape &shape, const CoreConditions &c)
{
    const auto size = [](double cm) { return std::isfinite(cm) && cm > 0 && cm <= 100; };
    if (!size(shape.tongueCm) || !size(shape.windowWidthCm) || !size(shape.windowHeightCm) ||
        !size(c.stackCm)) {
        return InputProblem{"the tongue, window and stack must be above 0 and at most 100 cm"};
    }
    if (!within(c.fluxT, 0.1, 2)) {
        return InputProblem{"the flux density must be from 0.1 to 2 T"};
    }
    if (!within(c.mainsV, 1, 1000)) {
        return InputProblem{"the mains voltage must be from 1 to 1000 V"};
    }
    if (!within(c.hz, 1, 1000)) {
        return InputProblem{"the mains frequency must be from 1 to 1000 Hz"};
    }
    if (!within(c.stackingFactor, 0.5, 1)) {
        return InputProblem{"the stacking factor must be from 0.5 to 1"};
    }
    if (c.riseK != 25 && c.riseK != 50) {
        return InputProblem{"the allowed rise must be 25 or 50 K"};
    }
    if (!within(c.efficiency, 0.1, 1)) {
        return InputProblem{"the efficiency must be from 0.1 to 1"};
    }
    return std::nullopt;
}

} // namespace

std::span<const Lamination> laminationTable()
{
    return kLaminations;
}

std::optional<Lamination> findLamination(std::string_view name)
{
    const std::string wanted = canonicalName(name);
    for (const Lamination &lamination : kLaminations) {
        if (lamination.name == wanted) {
            return lamination;
        }
    }
    return std::nullopt;
}

std::string laminationNames()
{
    std::string names;
    for (const Lamination &lamination : kLaminations) {
        names += (names.empty() ? "" : ", ") + std::string(lamination.name);
    }
    return names;
}

CoreShape coreShapeOf(const Lamination &lamination)
{
    return CoreShape{lamination.tongueMm / 10, lamination.windowWidthMm / 10,
                     lamination.windowHeightMm / 10};
}

Checked<CoreFigures> coreFigures(const CoreShape &shape, const CoreConditions &conditions)
{
    if (const auto problem = conditionsProblem(shape, conditions)) {
        return *problem;
    }
    constexpr double kFormFactor = 4.44; // 4 × 1.11, sine wave
    constexpr double kWindowUtilisation = 0.4;
    CoreFigures f;
    f.acCm2 = shape.tongueCm * conditions.stackCm;
    f.acNetCm2 = f.acCm2 * conditions.stackingFactor;
    f.waCm2 = shape.windowWidthCm * shape.windowHeightCm;
    f.apCm4 = f.acCm2 * f.waCm2;
    const double acNetM2 = f.acNetCm2 * 1e-4;
    f.turnsPerVolt = 1 / (kFormFactor * conditions.hz * conditions.fluxT * acNetM2);
    // Whole turns, the fraction dropped (a winder counts whole turns); the small allowance keeps
    // a product that rounding left a hair below a whole number on that number.
    f.primaryTurns = static_cast<long>(std::floor(conditions.mainsV * f.turnsPerVolt + 1e-9));
    f.kj = conditions.riseK == 25 ? 366 : 534;
    const double apparentPower = std::pow(f.apCm4, 0.88) * kFormFactor * kWindowUtilisation *
                                 conditions.fluxT * conditions.hz * f.kj / 1e4;
    f.vaEstimate = apparentPower / (1 / conditions.efficiency + 1);
    return f;
}

} // namespace ferrolux
