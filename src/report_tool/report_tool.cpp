#include "report_tool.h"

#include "bench_modes.h"
#include "constants_check.h"
#include "constants_file.h"
#include "default_files.h"
#include "design.h"
#include "eng_format.h"
#include "evaluation.h"
#include "file_helpers.h"
#include "help_text.h"
#include "json_report.h"
#include "last_run_file.h"
#include "number_text.h"
#include "printable_text.h"
#include "supply_mode.h"
#include "tool_options.h"

#include <filesystem>
#include <optional>
#include <stdexcept>

#ifndef FERROLUX_VERSION
#define FERROLUX_VERSION "unknown"
#endif

namespace ferrolux {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitRefused = 1;
constexpr int kExitFailure = 2;

constexpr const char *kToolName = "ferrolux-report";

int usageError(std::ostream &err, const std::string &problem)
{
    err << kToolName << ": " << problem << "\n"
        << "Try '" << kToolName << " --help' for more information.\n";
    return kExitFailure;
}

int fileError(std::ostream &err, const std::string &problem)
{
    err << kToolName << ": " << problem << "\n";
    return kExitFailure;
}

// A file name or argument between single quotes, safe to print. Built by appending: GCC 12
// warns falsely (-Wrestrict) about a character literal added in front of a string.
std::string quoted(const std::string &text)
{
    std::string result(1, '\'');
    result += printableText(text);
    result += '\'';
    return result;
}

// Flushes standard output; a report that could not be written is a failure, not a success.
int finishOutput(std::ostream &out, std::ostream &err)
{
    out.flush();
    if (!out) {
        err << kToolName << ": cannot write to standard output\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

// Reads a data file whole; "" when read, otherwise why not. Only a regular file is read and
// never waited on, so a named pipe or a device given by mistake cannot hang a script.
std::string readDataFile(const std::string &path, std::string &bytes)
{
    FileRead file = readRegularFile(path, kMaxDataFileBytes);
    if (!file.ok()) {
        return printableText(file.reason);
    }
    bytes = std::move(file.bytes);
    return {};
}

int refused(const Refusal &refusal, std::ostream &err)
{
    if (refusal.kind == RefusalKind::Dimensions) {
        err << refusal.message << "\n";
    } else if (refusal.field == DesignField::None) {
        err << kToolName << ": " << refusal.message << "\n";
    } else {
        err << kToolName << ": " << refusal.message
            << " (field: " << designFieldWords(refusal.field, refusal.row) << ")\n";
    }
    return kExitRefused;
}

int printEvaluation(const Evaluation &evaluation, const ToolOptions &options, std::ostream &out,
                    std::ostream &err)
{
    if (evaluation.refusal) {
        return refused(*evaluation.refusal, err);
    }
    if (options.format == ReportFormat::Json) {
        out << jsonReport(evaluation) << '\n';
        return finishOutput(out, err);
    }
    for (const std::string &line : evaluation.reportLines) {
        out << line << '\n';
    }
    if (options.format == ReportFormat::Check) {
        out << '\n';
        for (const std::string &line : evaluation.checkLines) {
            out << line << '\n';
        }
    }
    return finishOutput(out, err);
}

// The design with the thermal inputs the options override.
Design withOptions(Design design, const ToolOptions &options)
{
    design.extras.thermal = options.thermalOver(design.extras.thermal);
    return design;
}

std::string incompleteReason(const std::string &failure, int read, int expected)
{
    if (!failure.empty()) {
        return printableText(failure);
    }
    return "only " + std::to_string(read) + " of " + std::to_string(expected) +
           " records could be read";
}

int runFiles(const ToolOptions &options, std::ostream &out, std::ostream &err)
{
    const std::string &lastRunPath = options.lastRunPath;
    std::string lastRunBytes;
    if (const std::string problem = readDataFile(lastRunPath, lastRunBytes); !problem.empty()) {
        return fileError(err, "cannot open last-run file " + quoted(lastRunPath) + ": " + problem);
    }
    const DesignFileRead run = readDesignFile(lastRunBytes);
    if (!run.complete()) {
        return fileError(err,
                         "last-run file " + quoted(lastRunPath) + " is incomplete: " +
                             incompleteReason(run.failure, run.recordsRead, kLastRunRecordCount));
    }
    for (const std::string &problem : designProblems(run.design)) {
        err << kToolName << ": last-run file " << quoted(lastRunPath) << ": "
            << printableText(problem) << "\n";
    }

    const std::string constantsPath =
        options.constantsPath
            ? *options.constantsPath
            : (std::filesystem::path(lastRunPath).parent_path() / kConstantsFileName).string();
    std::string constantsBytes;
    if (const std::string problem = readDataFile(constantsPath, constantsBytes); !problem.empty()) {
        return fileError(err,
                         "cannot open constants file " + quoted(constantsPath) + ": " + problem);
    }
    const ConstantsLoad constants = readConstants(constantsBytes);
    if (constants.valuesRead < 4) {
        return fileError(err, "constants file " + quoted(constantsPath) + " is incomplete: " +
                                  incompleteReason(constants.failure, constants.valuesRead * 2, 8));
    }
    if (const std::string problem = constantsLimitsProblem(constantsBytes); !problem.empty()) {
        return fileError(err,
                         "constants file " + quoted(constantsPath) + ": " + printableText(problem));
    }
    DissipationLimits limits;
    constants.applyTo(limits);
    return printEvaluation(evaluate(withOptions(run.design, options), limits), options, out, err);
}

int runExample(const ToolOptions &options, std::ostream &out, std::ostream &err)
{
    const ConstantsLoad constants = readConstants(defaultConstantsFileBytes());
    if (constants.valuesRead < 4) {
        return fileError(err, "the built-in constants could not be read: " +
                                  incompleteReason(constants.failure, constants.valuesRead * 2, 8));
    }
    DissipationLimits limits;
    constants.applyTo(limits);
    Design example;
    example.run = exampleLastRun();
    return printEvaluation(evaluate(withOptions(example, options), limits), options, out, err);
}

int runEng(const std::vector<std::string> &values, std::ostream &out, std::ostream &err)
{
    std::vector<std::string> texts;
    for (const std::string &value : values) {
        const auto number = textToNumber(value);
        if (!number) {
            return fileError(err, quoted(value) + " is too large for a number");
        }
        texts.push_back(engFormat(*number));
    }
    for (const std::string &text : texts) {
        out << text << '\n';
    }
    return finishOutput(out, err);
}

int runEngComplex(const std::string &text, std::ostream &out, std::ostream &err)
{
    try {
        const ComplexEngText parts = engFormatComplex(text);
        out << parts.real << '\n' << parts.imag << '\n';
        return finishOutput(out, err);
    } catch (const std::invalid_argument &) {
        return fileError(err, quoted(text) + " is not a complex text: write it as REAL + jIMAG");
    } catch (const std::overflow_error &) {
        return fileError(err, "the complex text is too long");
    }
}

} // namespace

int runReportTool(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (isBenchMode(args)) {
        const auto bench = parseBenchOptions(args);
        if (const auto *error = std::get_if<UsageError>(&bench)) {
            return usageError(err, error->message);
        }
        return runBenchMode(std::get<BenchOptions>(bench), out, err);
    }
    const auto parsed = parseToolOptions(args);
    if (const auto *error = std::get_if<UsageError>(&parsed)) {
        return usageError(err, error->message);
    }
    const ToolOptions &options = std::get<ToolOptions>(parsed);
    switch (options.mode) {
    case ToolMode::Help:
        out << kReportToolHelp;
        return finishOutput(out, err);
    case ToolMode::Version:
        out << kToolName << " " << FERROLUX_VERSION << "\n";
        return finishOutput(out, err);
    case ToolMode::Example:
        return runExample(options, out, err);
    case ToolMode::Eng:
        return runEng(options.engValues, out, err);
    case ToolMode::EngComplex:
        return runEngComplex(options.engComplexText, out, err);
    case ToolMode::WindingCurrent: {
        const CheckedWindingCurrent current =
            checkedWindingCurrent(options.windingKind, options.windingDcAmps);
        if (!current.amperes) {
            return fileError(err, current.refusal);
        }
        out << jsonNumber(*current.amperes) << '\n';
        return finishOutput(out, err);
    }
    case ToolMode::Supply:
        return runSupply(options.supplyPath, options.format == ReportFormat::Json, out, err);
    case ToolMode::Files:
        break;
    }
    return runFiles(options, out, err);
}

} // namespace ferrolux
