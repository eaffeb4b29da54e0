#pragma once

// The report tool's --help text.

namespace ferrolux {

inline constexpr const char *kReportToolHelp =
    R"(Usage:
  ferrolux-report [--constants FILE] [--check | --json] [CHECK OPTIONS] LASTRUN
  ferrolux-report --example [--check | --json] [CHECK OPTIONS]
  ferrolux-report --eng VALUE...
  ferrolux-report --eng-complex TEXT
  ferrolux-report --winding-current KIND AMPS
  ferrolux-report --help | --version

Runs the transformer analysis of the calculator without its window and prints the results
report, one line per report item (UTF-8, LF line ends), and nothing else on standard output.

  LASTRUN            A last-run file (Ferrolux.DAT, 30 records) as the calculator saves it.
                     Type code 4 counts as the potted construction; a loading record of 1
                     corrects the voltages for loading (0 and 2 do not). The check inputs
                     saved after record 30 are used; the options below override them.
  --constants FILE   The constants file with the dissipation limits. By default
                     CONSTANT.DAT in the same folder as LASTRUN. Each limit must be a number
                     above 0 and below 100.
  --example          The report of the built-in worked example with the default limits.
  --check            The report, an empty line, then the engineering checks as text: the
                     temperature-rise models, the class margin, each winding's headroom, the
                     load scale at the class limit and the mains sweep.
  --json             One JSON object with the report, every figure and the checks.
  --eng VALUE...     Each VALUE, read as a number, in the report's engineering notation,
                     one per line (trailing blanks kept).
  --eng-complex TEXT A complex text such as "1.5 + j2.25": its real and imaginary parts in
                     engineering notation, on two lines.
  --winding-current KIND AMPS
                     The AC winding current that a DC load of AMPS draws through a rectifier
                     of KIND: ac, half-wave-resistive, half-wave-capacitor,
                     full-wave-ct-resistive, full-wave-ct-capacitor, full-wave-ct-choke,
                     bridge-resistive, bridge-capacitor, bridge-choke.
  --help             This text.
  --version          The tool's version.

Check options (plain decimal numbers; with --check or --json only):
  --ambient C        Ambient temperature, -50 to 100 degrees Celsius (default 40).
  --class A|E|B|F|H  Insulation class, limit 105, 120, 130, 155 or 180 degrees C (default A).
  --hot-spot K       Hot-spot allowance, 0 to 50 kelvin (default 10).
  --core-loss W      Core loss, 0 to 10000 watts (default 0: unknown).
  --emissivity E     Emissivity of the surface, 0.01 to 1 (default 0.9).

Exit status: 0 report printed; 1 calculation refused (the reason goes to standard error);
2 usage error, or a file that is missing, unreadable, incomplete or holds a bad limit.
)";

} // namespace ferrolux
