#include "report_tool.h"

#include "analysis.h"
#include "constants_file.h"
#include "default_files.h"
#include "eng_format.h"
#include "last_run_file.h"
#include "number_text.h"
#include "report.h"
#include "saved_run_input.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace ferrolux {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitRefused = 1;
constexpr int kExitFailure = 2;

constexpr const char *kToolName = "ferrolux-report";

constexpr const char *kHelpText =
    R"(Usage:
  ferrolux-report [--constants FILE] LASTRUN
  ferrolux-report --example
  ferrolux-report --eng VALUE...
  ferrolux-report --eng-complex TEXT
  ferrolux-report --help

Runs the transformer analysis of the calculator without its window and prints the results
report, one line per report item (UTF-8, LF line ends), and nothing else on standard output.

  LASTRUN            A last-run file (Ferrolux.DAT, 30 records) as the calculator saves it.
                     Type code 4 counts as the potted construction; a loading record of 1
                     corrects the voltages for loading (0 and 2 do not).
  --constants FILE   The constants file with the dissipation limits. By default
                     CONSTANT.DAT in the same folder as LASTRUN.
  --example          The report of the built-in worked example with the default limits.
  --eng VALUE...     Each VALUE, read as a number, in the report's engineering notation,
                     one per line (trailing blanks kept).
  --eng-complex TEXT A complex text such as "1.5 + j2.25": its real and imaginary parts in
                     engineering notation, on two lines.
  --help             This text.

Exit status: 0 report printed; 1 calculation refused (the reason goes to standard error);
2 usage error, or a file that is missing, unreadable or incomplete.
)";

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

// Opens a file for reading; a folder counts as unreadable.
std::optional<std::ifstream> openForReading(const std::string &path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return in;
}

int printAnalysis(const AnalysisInput &input, std::ostream &out, std::ostream &err)
{
    const AnalysisOutcome outcome = analyseTransformer(input);
    if (const auto *refusal = std::get_if<Refusal>(&outcome)) {
        if (refusal->kind == RefusalKind::Dimensions) {
            err << refusal->message << "\n";
        } else if (refusal->field == DesignField::None) {
            err << kToolName << ": " << refusal->message << "\n";
        } else {
            err << kToolName << ": " << refusal->message
                << " (field: " << designFieldWords(refusal->field, refusal->row) << ")\n";
        }
        return kExitRefused;
    }
    for (const std::string &line : buildReport(std::get<AnalysisResult>(outcome))) {
        out << line << '\n';
    }
    return finishOutput(out, err);
}

std::string incompleteReason(const std::string &failure, int read, int expected)
{
    if (!failure.empty()) {
        return failure;
    }
    return "only " + std::to_string(read) + " of " + std::to_string(expected) +
           " records could be read";
}

int runFiles(const std::string &lastRunPath, const std::optional<std::string> &constantsOption,
             std::ostream &out, std::ostream &err)
{
    auto lastRunStream = openForReading(lastRunPath);
    if (!lastRunStream) {
        return fileError(err, "cannot open last-run file '" + lastRunPath + "'");
    }
    const LastRunLoad run = readLastRun(*lastRunStream);
    if (!run.complete()) {
        return fileError(err,
                         "last-run file '" + lastRunPath + "' is incomplete: " +
                             incompleteReason(run.failure, run.recordsRead, kLastRunRecordCount));
    }

    const std::string constantsPath =
        constantsOption
            ? *constantsOption
            : (std::filesystem::path(lastRunPath).parent_path() / kConstantsFileName).string();
    auto constantsStream = openForReading(constantsPath);
    if (!constantsStream) {
        return fileError(err, "cannot open constants file '" + constantsPath + "'");
    }
    const ConstantsLoad constants = readConstants(*constantsStream);
    if (constants.valuesRead < 4) {
        return fileError(err, "constants file '" + constantsPath + "' is incomplete: " +
                                  incompleteReason(constants.failure, constants.valuesRead * 2, 8));
    }
    DissipationLimits limits;
    constants.applyTo(limits);
    return printAnalysis(analysisInputFrom(run.values, limits), out, err);
}

int runExample(std::ostream &out, std::ostream &err)
{
    std::istringstream constantsBytes(defaultConstantsFileBytes());
    const ConstantsLoad constants = readConstants(constantsBytes);
    if (constants.valuesRead < 4) {
        return fileError(err, "the built-in constants could not be read: " +
                                  incompleteReason(constants.failure, constants.valuesRead * 2, 8));
    }
    DissipationLimits limits;
    constants.applyTo(limits);
    return printAnalysis(analysisInputFrom(exampleLastRun(), limits), out, err);
}

int runEng(const std::vector<std::string> &values, std::ostream &out, std::ostream &err)
{
    if (values.empty()) {
        return usageError(err, "--eng needs at least one VALUE");
    }
    std::vector<std::string> texts;
    for (const std::string &value : values) {
        const auto number = textToNumber(value);
        if (!number) {
            return fileError(err, "'" + value + "' is too large for a number");
        }
        texts.push_back(engFormat(*number));
    }
    for (const std::string &text : texts) {
        out << text << '\n';
    }
    return finishOutput(out, err);
}

int runEngComplex(const std::vector<std::string> &values, std::ostream &out, std::ostream &err)
{
    if (values.size() != 1) {
        return usageError(err, "--eng-complex needs exactly one TEXT");
    }
    try {
        const ComplexEngText parts = engFormatComplex(values.front());
        out << parts.real << '\n' << parts.imag << '\n';
        return finishOutput(out, err);
    } catch (const std::invalid_argument &) {
        return fileError(err, "'" + values.front() +
                                  "' is not a complex text: write it as REAL + jIMAG");
    } catch (const std::overflow_error &) {
        return fileError(err, "the complex text is too long");
    }
}

} // namespace

int runReportTool(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (args.empty()) {
        return usageError(err, "missing LASTRUN file");
    }
    const std::string &first = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (first == "--help" || first == "-h") {
        out << kHelpText;
        return finishOutput(out, err);
    }
    if (first == "--example") {
        if (!rest.empty()) {
            return usageError(err, "--example takes no arguments");
        }
        return runExample(out, err);
    }
    if (first == "--eng") {
        return runEng(rest, out, err);
    }
    if (first == "--eng-complex") {
        return runEngComplex(rest, out, err);
    }

    std::optional<std::string> constantsPath;
    std::optional<std::string> lastRunPath;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            out << kHelpText;
            return finishOutput(out, err);
        }
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--constants") {
            if (i + 1 == args.size()) {
                return usageError(err, "--constants needs a FILE");
            }
            if (constantsPath) {
                return usageError(err, "--constants given twice");
            }
            constantsPath = args[++i];
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            return usageError(err, "unknown option '" + arg + "'");
        } else if (lastRunPath) {
            return usageError(err, "only one LASTRUN file may be given");
        } else {
            lastRunPath = arg;
        }
    }
    if (!lastRunPath) {
        return usageError(err, "missing LASTRUN file");
    }
    return runFiles(*lastRunPath, constantsPath, out, err);
}

} // namespace ferrolux
