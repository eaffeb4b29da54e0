#pragma once

// The report tool's command line, parsed into what the tool is asked to do.

#include "engineering_checks.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ferrolux {

enum class ToolMode { Help, Version, Files, Example, Eng, EngComplex, WindingCurrent, Supply };
enum class ReportFormat { Report, Check, Json };

struct ToolOptions
{
    ToolMode mode = ToolMode::Files;
    ReportFormat format = ReportFormat::Report;
    std::string lastRunPath;
    std::optional<std::string> constantsPath;
    std::vector<std::string> engValues;
    std::string engComplexText;
    std::string supplyPath;
    LoadKind windingKind = LoadKind::AC;
    double windingDcAmps = 0;
    // The check's inputs given on the command line; they override the last-run file's.
    std::optional<double> ambientC, hotSpotAllowanceK, coreLossW, emissivity;
    std::optional<InsulationClass> insulationClass;

    // `base` (from the file, or the defaults) with the command line's values over it.
    ThermalInputs thermalOver(ThermalInputs base) const;
};

// A usage error: the message, without the program name.
struct UsageError
{
    std::string message;
};

// `args` without the program name. Repeated options, modes given together and options that
// do not apply to the mode are usage errors, as are check inputs that are not plain decimal
// numbers within their ranges.
std::variant<ToolOptions, UsageError> parseToolOptions(const std::vector<std::string> &args);

// "ac, half-wave-resistive, ...": every load kind's key, for messages and help.
std::string loadKindList();

} // namespace ferrolux
