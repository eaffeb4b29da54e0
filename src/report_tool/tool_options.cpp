#include "tool_options.h"

#include "plain_decimal.h"
#include "printable_text.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>

namespace ferrolux {

namespace {

// What CLI11 fills in; checked and converted afterwards.
struct RawOptions
{
    bool help = false, version = false, example = false, check = false, json = false;
    std::vector<std::string> lastRun, constants, eng, engComplex, winding, supply;
    std::vector<std::string> ambient, hotSpot, coreLoss, emissivity, insulationClass;
};

// Long options given more than once (before "--"): the parser would otherwise keep one of the
// values, or both, without a word.
std::optional<std::string> repeatedOption(const std::vector<std::string> &args)
{
    std::map<std::string, int> seen;
    for (const std::string &arg : args) {
        if (arg == "--") {
            break;
        }
        if (arg.size() > 2 && arg.starts_with("--")) {
            const std::string name = arg.substr(0, arg.find('='));
            if (++seen[name] == 2) {
                return name;
            }
        } else if (arg == "-h" && ++seen["--help"] == 2) {
            return std::string("--help");
        }
    }
    return std::nullopt;
}

std::optional<double> number(const std::vector<std::string> &value, const char *option,
                             InputRange range, std::string &error)
{
    if (value.empty()) {
        return std::nullopt;
    }
    const std::optional<double> parsed = numberInRange(value.front(), range);
    if (!parsed) {
        error = std::string(option) + " needs a plain decimal number from " +
                plainDecimalText(range.min) + " to " + plainDecimalText(range.max) + ", not '" +
                printableText(value.front()) + "'";
        return std::nullopt;
    }
    return parsed;
}

std::variant<ToolOptions, UsageError> convert(const RawOptions &raw)
{
    ToolOptions o;
    std::vector<std::pair<ToolMode, const char *>> modes;
    if (raw.version) {
        modes.emplace_back(ToolMode::Version, "--version");
    }
    if (raw.example) {
        modes.emplace_back(ToolMode::Example, "--example");
    }
    if (!raw.eng.empty()) {
        modes.emplace_back(ToolMode::Eng, "--eng");
    }
    if (!raw.engComplex.empty()) {
        modes.emplace_back(ToolMode::EngComplex, "--eng-complex");
    }
    if (!raw.winding.empty()) {
        modes.emplace_back(ToolMode::WindingCurrent, "--winding-current");
    }
    if (!raw.supply.empty()) {
        modes.emplace_back(ToolMode::Supply, "--supply");
    }
    if (!raw.lastRun.empty()) {
        modes.emplace_back(ToolMode::Files, "a LASTRUN file");
    }
    if (modes.empty()) {
        return UsageError{"missing LASTRUN file"};
    }
    if (modes.size() > 1) {
        return UsageError{std::string(modes[0].second) + " and " + modes[1].second +
                          " cannot be used together"};
    }
    o.mode = modes.front().first;
    const bool report = o.mode == ToolMode::Files || o.mode == ToolMode::Example;

    if (!raw.constants.empty()) {
        if (o.mode == ToolMode::Example) {
            return UsageError{"--constants cannot be used with --example: the worked example "
                              "always uses the built-in limits"};
        }
        if (o.mode != ToolMode::Files) {
            return UsageError{"--constants applies only to a LASTRUN file"};
        }
        o.constantsPath = raw.constants.front();
    }
    if (raw.check && raw.json) {
        return UsageError{"--check and --json cannot be used together"};
    }
    const bool supplyJson = o.mode == ToolMode::Supply && raw.json;
    if ((raw.check || raw.json) && !report && !supplyJson) {
        return UsageError{std::string(raw.check ? "--check" : "--json") +
                          " applies only to a LASTRUN file or --example"};
    }
    o.format = raw.check ? ReportFormat::Check : raw.json ? ReportFormat::Json : o.format;

    const std::pair<const std::vector<std::string> *, const char *> checkInputs[] = {
        {&raw.ambient, "--ambient"},
        {&raw.insulationClass, "--class"},
        {&raw.hotSpot, "--hot-spot"},
        {&raw.coreLoss, "--core-loss"},
        {&raw.emissivity, "--emissivity"}};
    for (const auto &[value, name] : checkInputs) {
        if (!value->empty() && o.mode == ToolMode::Supply) {
            return UsageError{std::string(name) + " applies only to a LASTRUN file or --example"};
        }
        if (!value->empty() && o.format == ReportFormat::Report) {
            return UsageError{std::string(name) + " applies only with --check or --json"};
        }
    }
    std::string error;
    o.ambientC = number(raw.ambient, "--ambient", kAmbientRange, error);
    if (error.empty()) {
        o.hotSpotAllowanceK = number(raw.hotSpot, "--hot-spot", kHotSpotAllowanceRange, error);
    }
    if (error.empty()) {
        o.coreLossW = number(raw.coreLoss, "--core-loss", kCoreLossRange, error);
    }
    if (error.empty()) {
        o.emissivity = number(raw.emissivity, "--emissivity", kEmissivityRange, error);
    }
    if (!error.empty()) {
        return UsageError{error};
    }
    if (!raw.insulationClass.empty()) {
        o.insulationClass = insulationClassFromName(raw.insulationClass.front());
        if (!o.insulationClass) {
            return UsageError{"--class needs A, E, B, F or H, not '" +
                              printableText(raw.insulationClass.front()) + "'"};
        }
    }

    if (!raw.lastRun.empty()) {
        o.lastRunPath = raw.lastRun.front();
    }
    if (!raw.supply.empty()) {
        o.supplyPath = raw.supply.front();
    }
    o.engValues = raw.eng;
    if (!raw.engComplex.empty()) {
        o.engComplexText = raw.engComplex.front();
    }
    if (o.mode == ToolMode::WindingCurrent) {
        const std::optional<LoadKind> kind = loadKindFromKey(raw.winding[0]);
        const std::optional<double> amps = plainDecimal(raw.winding[1]);
        if (!kind || !amps || *amps < 0) {
            return UsageError{"--winding-current needs a KIND and a DC current in amperes (a "
                              "plain decimal number, not negative); the kinds are " +
                              loadKindList()};
        }
        o.windingKind = *kind;
        o.windingDcAmps = *amps;
    }
    return o;
}

} // namespace

ThermalInputs ToolOptions::thermalOver(ThermalInputs base) const
{
    base.ambientC = ambientC.value_or(base.ambientC);
    base.insulationClass = insulationClass.value_or(base.insulationClass);
    base.hotSpotAllowanceK = hotSpotAllowanceK.value_or(base.hotSpotAllowanceK);
    base.coreLossW = coreLossW.value_or(base.coreLossW);
    base.emissivity = emissivity.value_or(base.emissivity);
    return base;
}

std::string loadKindList()
{
    std::string list;
    for (int i = 0; i < kLoadKindCount; ++i) {
        list += (i == 0 ? "" : ", ") + std::string(loadKindKey(static_cast<LoadKind>(i)));
    }
    return list;
}

std::variant<ToolOptions, UsageError> parseToolOptions(const std::vector<std::string> &args)
{
    if (const auto repeated = repeatedOption(args)) {
        return UsageError{printableText(*repeated) + " given more than once"};
    }
    RawOptions raw;
    CLI::App app{"", "ferrolux-report"};
    app.set_help_flag();
    app.add_flag("-h,--help", raw.help);
    app.add_flag("--version", raw.version);
    app.add_flag("--example", raw.example);
    app.add_flag("--check", raw.check);
    app.add_flag("--json", raw.json);
    // Single values are taken as one string each and kept as a list of at most one, so that
    // "given" and "empty" stay apart.
    std::string constants, engComplex, ambient, insulationClass, hotSpot, coreLoss, emissivity,
        lastRun, supply;
    const std::pair<CLI::Option *, std::pair<std::string *, std::vector<std::string> *>> single[] =
        {{app.add_option("--constants", constants), {&constants, &raw.constants}},
         {app.add_option("--eng-complex", engComplex), {&engComplex, &raw.engComplex}},
         {app.add_option("--ambient", ambient), {&ambient, &raw.ambient}},
         {app.add_option("--class", insulationClass), {&insulationClass, &raw.insulationClass}},
         {app.add_option("--hot-spot", hotSpot), {&hotSpot, &raw.hotSpot}},
         {app.add_option("--core-loss", coreLoss), {&coreLoss, &raw.coreLoss}},
         {app.add_option("--emissivity", emissivity), {&emissivity, &raw.emissivity}},
         {app.add_option("LASTRUN", lastRun), {&lastRun, &raw.lastRun}},
         {app.add_option("--supply", supply), {&supply, &raw.supply}}};
    app.add_option("--eng", raw.eng)->expected(1, 1 << 20);
    app.add_option("--winding-current", raw.winding)->expected(2);
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError &e) {
        return UsageError{printableText(e.what())};
    }
    for (const auto &[option, target] : single) {
        if (option->count() > 0) {
            target.second->push_back(*target.first);
        }
    }
    if (raw.help) {
        ToolOptions o;
        o.mode = ToolMode::Help;
        return o;
    }
    return convert(raw);
}

} // namespace ferrolux
