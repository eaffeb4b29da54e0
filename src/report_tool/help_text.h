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
  ferrolux-report --rise-from-resistance R_COLD T_COLD R_HOT T_AMBIENT
                  [--conductor copper|aluminium] [--json]
  ferrolux-report --lamination NAME | --tongue CM --window WIDTH HEIGHT
                  --stack CM [LAMINATION OPTIONS] [--json]
  ferrolux-report --valves LIST [--json]
  ferrolux-report --supply FILE [--json]
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
  --rise-from-resistance R_COLD T_COLD R_HOT T_AMBIENT
                     The average temperature rise of a winding from its resistance cold (at
                     T_COLD degrees C) and hot (just after a steady load, with the air at
                     T_AMBIENT): (R_HOT / R_COLD) (k + T_COLD) - (k + T_AMBIENT), and the
                     winding temperature. Any unit of resistance, the same for both.
  --conductor copper|aluminium
                     The winding's metal: k = 234.5 (copper, the default) or 225.
  --lamination NAME  An EI lamination of the table (EI30 to EI240, for example EI96).
  --tongue CM --window WIDTH HEIGHT
                     A core not in the table: the centre limb's width and the window's width
                     and height, in centimetres.
  --valves LIST      The heater current per heater voltage of a list of valves such as
                     "EL34*2,12AX7*3,5AR4" (centre-tapped heaters counted at 6.3 V).
  --supply FILE      The power supply a JSON FILE describes (source, rectifier circuit and
                     diode or valve, filter, load), simulated to its steady state: DC output,
                     ripple, winding RMS and peak current, rectifier peak current, peak
                     inverse voltage, switch-on surge and the rectifier's limits. With --json,
                     one JSON object. Exit status 1 when the supply cannot deliver the load.
  --help             This text.
  --version          The tool's version.

Check options (plain decimal numbers; with --check or --json only):
  --ambient C        Ambient temperature, -50 to 100 degrees Celsius (default 40).
  --class A|E|B|F|H  Insulation class, limit 105, 120, 130, 155 or 180 degrees C (default A).
  --hot-spot K       Hot-spot allowance, 0 to 50 kelvin (default 10).
  --core-loss W      Core loss, 0 to 10000 watts (default 0: unknown).
  --emissivity E     Emissivity of the surface, 0.01 to 1 (default 0.9).

Lamination options (plain decimal numbers; with --lamination or --tongue only):
  --stack CM         The height of the stack of laminations (needed).
  --flux T           Peak flux density, 0.1 to 2 tesla (default 1.2).
  --mains V          Primary voltage, 1 to 1000 volts (default 230).
  --hz F             Mains frequency, 1 to 1000 hertz (default 50).
  --stacking-factor X
                     Iron in the stack's height, 0.5 to 1 (default 0.95).
  --rise 25|50       Allowed temperature rise in kelvin for the VA estimate (default 25).
  --efficiency X     Efficiency for the VA estimate, 0.1 to 1 (default 0.9).

Exit status: 0 report printed; 1 calculation refused (the reason goes to standard error);
2 usage error, or a file that is missing, unreadable, incomplete or holds a bad limit, or a
bench value (resistance, lamination, valve) that is refused.
)";

} // namespace ferrolux
