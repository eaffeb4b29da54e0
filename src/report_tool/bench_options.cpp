#include "bench_options.h"

#include "plain_decimal.h"
#include "printable_text.h"
#include "resistance_rise.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

namespace ferrolux {

namespace {

struct OptionArity
{
    std::string_view name;
    int values; // how many arguments follow the option
};

constexpr std::array<OptionArity, 14> kBenchOptions = {{
    {"--rise-from-resistance", 4},
    {"--conductor", 1},
    {"--lamination", 1},
    {"--tongue", 1},
    {"--window", 2},
    {"--stack", 1},
    {"--flux", 1},
    {"--mains", 1},
    {"--hz", 1},
    {"--stacking-factor", 1},
    {"--rise", 1},
    {"--efficiency", 1},
    {"--valves", 1},
    {"--json", 0},
}};

// The options that pick a bench mode, in the order their modes are named in messages.
constexpr std::array<std::string_view, 5> kModeOptions = {"--rise-from-resistance", "--lamination",
                                                          "--tongue", "--window", "--valves"};

constexpr std::array<std::string_view, 7> kLaminationConditions = {
    "--stack", "--flux", "--mains", "--hz", "--stacking-factor", "--rise", "--efficiency"};

std::string_view optionName(std::string_view arg)
{
    return arg.starts_with("--") ? arg.substr(0, arg.find('=')) : arg;
}

const OptionArity *arityOf(std::string_view name)
{
    const auto found =
        std::find_if(kBenchOptions.begin(), kBenchOptions.end(),
                     [name](const OptionArity &option) { return option.name == name; });
    return found == kBenchOptions.end() ? nullptr : &*found;
}

template <std::size_t N>
bool listed(const std::array<std::string_view, N> &list, std::string_view name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

std::string quoted(const std::string &text)
{
    std::string result(1, '\'');
    result += printableText(text);
    result += '\'';
    return result;
}

// The options as given: name → its values.
using GivenOptions = std::map<std::string, std::vector<std::string>, std::less<>>;

// Reads the arguments as bench options. Values are taken as they stand, so a negative
// temperature ("-5") is a value, not an option.
std::variant<GivenOptions, UsageError> collect(const std::vector<std::string> &args,
                                               const std::string &mode)
{
    GivenOptions given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const std::string_view name = optionName(arg);
        const OptionArity *option = arityOf(name);
        if (option == nullptr) {
            return UsageError{(arg.starts_with("-") ? quoted(arg) : "the argument " + quoted(arg)) +
                              " cannot be used with " + mode};
        }
        if (given.contains(name)) {
            return UsageError{std::string(name) + " given more than once"};
        }
        std::vector<std::string> values;
        if (name.size() < arg.size()) {
            if (option->values != 1) {
                return UsageError{std::string(name) + " takes no '=': give " +
                                  (option->values == 0 ? "it alone" : "its values as arguments")};
            }
            values.push_back(arg.substr(name.size() + 1));
        } else {
            if (args.size() - i - 1 < static_cast<std::size_t>(option->values)) {
                return UsageError{std::string(name) + " needs " + std::to_string(option->values) +
                                  (option->values == 1 ? " value" : " values")};
            }
            for (int v = 0; v < option->values; ++v) {
                values.push_back(args[++i]);
            }
        }
        given.emplace(std::string(name), std::move(values));
    }
    return given;
}

std::optional<double> decimal(const std::string &text, const std::string &option,
                              std::string &error)
{
    const std::optional<double> value = plainDecimal(text);
    if (!value && error.empty()) {
        error = option + " needs a plain decimal number, not " + quoted(text);
    }
    return value;
}

std::variant<BenchOptions, UsageError> convert(const GivenOptions &given, BenchMode mode)
{
    BenchOptions o;
    o.mode = mode;
    o.json = given.contains("--json");
    const auto value = [&given](std::string_view name) -> const std::string * {
        const auto found = given.find(name);
        return found == given.end() ? nullptr : &found->second.front();
    };
    std::string error;
    if (mode == BenchMode::RiseFromResistance) {
        for (const std::string &text : given.find("--rise-from-resistance")->second) {
            const auto number = plainDecimal(text);
            if (!number) {
                return UsageError{"--rise-from-resistance needs four plain decimal numbers "
                                  "(R_COLD T_COLD R_HOT T_AMBIENT), not " +
                                  quoted(text)};
            }
            o.readings.push_back(*number);
        }
        if (const std::string *conductor = value("--conductor")) {
            if (!conductorFromName(*conductor)) {
                return UsageError{"--conductor needs copper or aluminium, not " +
                                  quoted(*conductor)};
            }
            o.conductor = *conductor;
        }
        return o;
    }
    if (mode == BenchMode::Valves) {
        o.valveList = *value("--valves");
        return o;
    }
    if (const std::string *name = value("--lamination")) {
        o.laminationName = *name;
    } else {
        o.tongueCm = decimal(*value("--tongue"), "--tongue", error);
        for (const std::string &text : given.find("--window")->second) {
            if (const auto number = decimal(text, "--window", error)) {
                o.windowCm.push_back(*number);
            }
        }
    }
    const std::string *stack = value("--stack");
    if (stack == nullptr) {
        return UsageError{"--stack CM is needed: the height of the stack of laminations"};
    }
    o.stackCm = decimal(*stack, "--stack", error).value_or(0);
    const std::pair<const char *, std::optional<double> *> conditions[] = {
        {"--flux", &o.fluxT},
        {"--mains", &o.mainsV},
        {"--hz", &o.hz},
        {"--stacking-factor", &o.stackingFactor},
        {"--efficiency", &o.efficiency}};
    for (const auto &[name, target] : conditions) {
        if (const std::string *text = value(name)) {
            *target = decimal(*text, name, error);
        }
    }
    if (!error.empty()) {
        return UsageError{error};
    }
    if (const std::string *rise = value("--rise")) {
        if (*rise != "25" && *rise != "50") {
            return UsageError{"--rise needs 25 or 50 (kelvin), not " + quoted(*rise)};
        }
        o.riseK = std::stoi(*rise);
    }
    return o;
}

} // namespace

bool isBenchMode(const std::vector<std::string> &args)
{
    for (const std::string &arg : args) {
        if (arg == "--") {
            return false;
        }
        if (listed(kModeOptions, optionName(arg))) {
            return true;
        }
    }
    return false;
}

std::variant<BenchOptions, UsageError> parseBenchOptions(const std::vector<std::string> &args)
{
    // The mode, named by the first of its options, for messages about the others.
    std::string mode;
    for (const std::string &arg : args) {
        if (listed(kModeOptions, optionName(arg))) {
            mode = std::string(optionName(arg));
            break;
        }
    }
    const auto collected = collect(args, mode);
    if (const auto *error = std::get_if<UsageError>(&collected)) {
        return *error;
    }
    const GivenOptions &given = std::get<GivenOptions>(collected);
    const bool rise = given.contains("--rise-from-resistance");
    const bool named = given.contains("--lamination");
    const bool custom = given.contains("--tongue") || given.contains("--window");
    const bool valves = given.contains("--valves");
    std::vector<std::string> modes;
    for (const auto &[present, name] :
         {std::pair{rise, "--rise-from-resistance"}, std::pair{named, "--lamination"},
          std::pair{custom, "--tongue"}, std::pair{valves, "--valves"}}) {
        if (present) {
            modes.emplace_back(name);
        }
    }
    if (modes.size() > 1) {
        return UsageError{modes[0] + " and " + modes[1] + " cannot be used together"};
    }
    if (custom && !(given.contains("--tongue") && given.contains("--window"))) {
        return UsageError{"a custom core needs both --tongue CM and --window WIDTH HEIGHT"};
    }
    if (given.contains("--conductor") && !rise) {
        return UsageError{"--conductor applies only to --rise-from-resistance"};
    }
    for (const std::string_view condition : kLaminationConditions) {
        if (given.contains(condition) && !named && !custom) {
            return UsageError{std::string(condition) +
                              " applies only to --lamination or --tongue and --window"};
        }
    }
    const BenchMode benchMode = rise     ? BenchMode::RiseFromResistance
                                : valves ? BenchMode::Valves
                                         : BenchMode::Lamination;
    return convert(given, benchMode);
}

} // namespace ferrolux
