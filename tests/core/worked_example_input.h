#pragma once

// The shipped worked example, written down once: the records a first start writes for it and
// for the default limits, the inputs the analysis receives from it (with the limits 2.5 and
// 4.5), and the 30 report lines it gives.

#include "analysis.h"
#include "constants_file.h"
#include "last_run_file.h"
#include "saved_run_input.h"
#include "scratch_folder.h"

#include <sstream>
#include <string>
#include <vector>

namespace ferrolux::testing_support {

// The last-run file of a first start, record by record.
inline std::vector<std::string> workedExampleRecords()
{
    return {"True",  "117",     "2.05", "4",    "350",    "67.4", "0",   "40.0", "7.60", "0",
            "5.297", "99.0e-3", "3.0",  "6.65", "122e-3", "0",    "0",   "0",    "0",    "0",
            "0",     "0",       "3",    "11.3", "9.6",    "9.7",  "4.0", "8.4",  "6.4",  "1"};
}

// The constants file of a first start, record by record.
inline std::vector<std::string> defaultConstantsRecords()
{
    return {"Plate winding percent dissipation for an open core transformer.",    "2.5",
            "Filament winding percent dissipation for an open core transformer.", "4.5",
            "Plate winding percent dissipation for a potted transformer.",        "1.5",
            "Filament winding percent dissipation for a potted transformer.",     "2.5"};
}

// The inputs the analysis receives from those records, read as the window reads them.
inline AnalysisInput workedExampleInput()
{
    return analysisInputFrom(readLastRun(joinRecords(workedExampleRecords())).values,
                             DissipationLimits{2.5, 4.5, 1.5, 2.5});
}

inline std::vector<std::string> workedExampleReport()
{
    return {"        Primary Voltage = 117.0     Volts",
            "        Primary Current = 731.4e-3  Amps",
            "          Primary Power = 85.57     Watts",
            "    Primary Dissipation = 1.097     Watts",
            "  Primary % Dissipation = 1.265     %",
            "Secondayr 1     Voltage = 338.4     Volts",
            "Secondary 1     Current = 135.0e-3  Amps",
            "Secondary 1       Power = 45.70     Watts",
            "Secondary 1 Dissipation = 1.229     Watts",
            "Secondary 1 Percent Dis = 2.619     %",
            "Secondayr 2     Voltage = 38.93     Volts",
            "Secondary 2     Current = 136.4e-3  Amps",
            "Secondary 2       Power = 5.309     Watts",
            "Secondary 2 Dissipation = 141.4e-3  Watts",
            "Secondary 2 Percent Dis = 2.593     %",
            "Secondayr 3     Voltage = 4.987     Volts",
            "Secondary 3     Current = 3.000     Amps",
            "Secondary 3       Power = 14.96     Watts",
            "Secondary 3 Dissipation = 891.0e-3  Watts",
            "Secondary 3 Percent Dis = 5.620     %",
            "Secondayr 4     Voltage = 6.314     Volts",
            "Secondary 4     Current = 2.615     Amps",
            "Secondary 4       Power = 16.51     Watts",
            "Secondary 4 Dissipation = 834.0e-3  Watts",
            "Secondary 4 Percent Dis = 4.809     %",
            "----------------------------------------------------------",
            "      Total Dissipation = 4.192     Watts",
            "    Total % Dissipation = 4.837     %",
            "          Power Dendity = 88.05     W/Sq Meter",
            "  Operating Temperature = 223.4     \xC2\xB0 F"};
}

} // namespace ferrolux::testing_support
