// The valve heater table: one row per valve type, each figure from the data sheet named in its
// row (heater voltage in millivolts, current in milliamperes).

#include "valve_heaters.h"

#include <array>

namespace ferrolux {

namespace {

constexpr Heating D = Heating::Direct;
constexpr Heating I = Heating::Indirect;

constexpr std::array kValves = {
    // Output valves, 6.3 V heaters.
    ValveHeater{"EL34", 6300, 1500, I, 0, 0, 0, "Mullard EL34 data sheet"},
    ValveHeater{"6CA7", 6300, 1500, I, 0, 0, 0, "Sylvania 6CA7 data sheet"},
    ValveHeater{"EL84 6BQ5", 6300, 760, I, 0, 0, 0, "Mullard EL84 data sheet"},
    ValveHeater{"EL86 6CW5", 6300, 760, I, 0, 0, 0, "Philips EL86 data sheet"},
    ValveHeater{"6L6GC", 6300, 900, I, 0, 0, 0, "RCA 6L6GC data sheet"},
    ValveHeater{"6L6GB 6L6G", 6300, 900, I, 0, 0, 0, "RCA 6L6GB data sheet"},
    ValveHeater{"5881", 6300, 900, I, 0, 0, 0, "Tung-Sol 5881 data sheet"},
    ValveHeater{"6V6GT 6V6", 6300, 450, I, 0, 0, 0, "RCA 6V6GT data sheet"},
    // Only the A version has the controlled heater warm-up for 450 mA series strings; the
    // 6AQ5 and its premium 6005 are parallel-heater valves with the same rating.
    ValveHeater{"6AQ5A", 6300, 450, I, 0, 0, 450, "RCA 6AQ5A data sheet"},
    ValveHeater{"6AQ5 6005", 6300, 450, I, 0, 0, 0, "RCA 6AQ5 data sheet"},
    ValveHeater{"KT66", 6300, 1270, I, 0, 0, 0, "GEC KT66 data sheet"},
    ValveHeater{"KT77", 6300, 1400, I, 0, 0, 0, "GEC KT77 data sheet"},
    ValveHeater{"KT88", 6300, 1600, I, 0, 0, 0, "GEC KT88 data sheet"},
    ValveHeater{"6550A 6550", 6300, 1600, I, 0, 0, 0, "Tung-Sol 6550A data sheet"},
    ValveHeater{"ECL82 6BM8", 6300, 780, I, 0, 0, 0, "Mullard ECL82 data sheet"},
    ValveHeater{"ECL86 6GW8", 6300, 700, I, 0, 0, 0, "Mullard ECL86 data sheet"},
    ValveHeater{"6BX7GT", 6300, 1500, I, 0, 0, 0, "RCA 6BX7GT data sheet"},
    ValveHeater{"6AS7G 6080", 6300, 2500, I, 0, 0, 0, "RCA 6AS7G data sheet"},
    // Small-signal valves with centre-tapped heaters: 6.3 V parallel or 12.6 V series.
    ValveHeater{"ECC83 12AX7 12AX7A 7025", 6300, 300, I, 12600, 150, 0, "Mullard ECC83 data sheet"},
    ValveHeater{"ECC81 12AT7", 6300, 300, I, 12600, 150, 0, "Mullard ECC81 data sheet"},
    ValveHeater{"ECC82 12AU7 12AU7A", 6300, 300, I, 12600, 150, 0, "Mullard ECC82 data sheet"},
    ValveHeater{"12AY7", 6300, 300, I, 12600, 150, 0, "General Electric 12AY7 data sheet"},
    ValveHeater{"5751", 6300, 350, I, 12600, 175, 0, "General Electric 5751 data sheet"},
    ValveHeater{"5814A 5814", 6300, 350, I, 12600, 175, 0, "General Electric 5814A data sheet"},
    ValveHeater{"12BH7A 12BH7", 6300, 600, I, 12600, 300, 0, "RCA 12BH7A data sheet"},
    // Small-signal valves, 6.3 V heaters.
    ValveHeater{"ECC88 6DJ8", 6300, 365, I, 0, 0, 0, "Philips ECC88 data sheet"},
    ValveHeater{"E88CC 6922", 6300, 300, I, 0, 0, 0, "Philips E88CC data sheet"},
    ValveHeater{"ECC85 6AQ8", 6300, 435, I, 0, 0, 0, "Mullard ECC85 data sheet"},
    // The GTB carries the controlled warm-up for 600 mA television strings; the older 6SN7 and
    // 6SN7GT share its heater rating but not the series-string mark.
    ValveHeater{"6SN7GTB", 6300, 600, I, 0, 0, 600, "RCA 6SN7GTB data sheet"},
    ValveHeater{"6SN7GT 6SN7", 6300, 600, I, 0, 0, 0, "RCA 6SN7GT data sheet"},
    ValveHeater{"6SL7GT 6SL7", 6300, 300, I, 0, 0, 0, "RCA 6SL7GT data sheet"},
    ValveHeater{"6CG7 6FQ7", 6300, 600, I, 0, 0, 0, "RCA 6CG7 data sheet"},
    ValveHeater{"6J5", 6300, 300, I, 0, 0, 0, "RCA 6J5 data sheet"},
    ValveHeater{"6SJ7", 6300, 300, I, 0, 0, 0, "RCA 6SJ7 data sheet"},
    ValveHeater{"EF86 6267", 6300, 200, I, 0, 0, 0, "Mullard EF86 data sheet"},
    ValveHeater{"EF80 6BX6", 6300, 300, I, 0, 0, 0, "Mullard EF80 data sheet"},
    ValveHeater{"EF89 6DA6", 6300, 200, I, 0, 0, 0, "Philips EF89 data sheet"},
    ValveHeater{"6AU6A 6AU6", 6300, 300, I, 0, 0, 0, "RCA 6AU6A data sheet"},
    ValveHeater{"6BA6", 6300, 300, I, 0, 0, 0, "RCA 6BA6 data sheet"},
    ValveHeater{"6BE6", 6300, 300, I, 0, 0, 0, "RCA 6BE6 data sheet"},
    ValveHeater{"6AV6", 6300, 300, I, 0, 0, 0, "RCA 6AV6 data sheet"},
    ValveHeater{"ECH81 6AJ8", 6300, 300, I, 0, 0, 0, "Mullard ECH81 data sheet"},
    ValveHeater{"EABC80 6AK8", 6300, 450, I, 0, 0, 0, "Philips EABC80 data sheet"},
    ValveHeater{"EBF89 6DC8", 6300, 300, I, 0, 0, 0, "Philips EBF89 data sheet"},
    ValveHeater{"EM84 6FG6", 6300, 210, I, 0, 0, 0, "Mullard EM84 data sheet"},
    ValveHeater{"6E5", 6300, 300, I, 0, 0, 0, "RCA 6E5 data sheet"},
    // Rectifiers: the one home of their heater figures; their ratings as rectifiers are in the
    // rectifier parts table, which takes its heaters from here.
    ValveHeater{"GZ34 5AR4", 5000, 1900, I, 0, 0, 0, "Mullard GZ34 data sheet"},
    ValveHeater{"5U4GB 5U4G", 5000, 3000, D, 0, 0, 0, "RCA 5U4GB data sheet"},
    ValveHeater{"5Y3GT 5Y3", 5000, 2000, D, 0, 0, 0, "RCA 5Y3GT data sheet"},
    ValveHeater{"5V4G", 5000, 2000, I, 0, 0, 0, "RCA 5V4G data sheet"},
    ValveHeater{"5R4GY", 5000, 2000, D, 0, 0, 0, "RCA 5R4GY data sheet"},
    ValveHeater{"5T4", 5000, 2000, D, 0, 0, 0, "RCA 5T4 data sheet"},
    ValveHeater{"5Z3", 5000, 3000, D, 0, 0, 0, "RCA 5Z3 data sheet"},
    ValveHeater{"80", 5000, 2000, D, 0, 0, 0, "RCA 80 data sheet"},
    ValveHeater{"EZ80 6V4", 6300, 600, I, 0, 0, 0, "Mullard EZ80 data sheet"},
    ValveHeater{"EZ81 6CA4", 6300, 1000, I, 0, 0, 0, "Mullard EZ81 data sheet"},
    ValveHeater{"GZ32", 5000, 2300, I, 0, 0, 0, "Mullard GZ32 data sheet"},
    ValveHeater{"GZ37", 5000, 2800, I, 0, 0, 0, "Mullard GZ37 data sheet"},
    ValveHeater{"5Z4", 5000, 2000, I, 0, 0, 0, "RCA 5Z4 data sheet"},
    ValveHeater{"6X4 EZ90", 6300, 600, I, 0, 0, 0, "RCA 6X4 data sheet"},
    ValveHeater{"6X5GT 6X5", 6300, 600, I, 0, 0, 0, "RCA 6X5GT data sheet"},
    // Directly heated triodes.
    ValveHeater{"300B", 5000, 1200, D, 0, 0, 0, "Western Electric 300B data sheet"},
    ValveHeater{"2A3", 2500, 2500, D, 0, 0, 0, "RCA 2A3 data sheet"},
    ValveHeater{"45", 2500, 1500, D, 0, 0, 0, "RCA 45 data sheet"},
    ValveHeater{"845", 10000, 3250, D, 0, 0, 0, "RCA 845 data sheet"},
    ValveHeater{"211 VT4C", 10000, 3250, D, 0, 0, 0, "RCA 211 data sheet"},
    // Series-string valves, 150 mA (transformerless receivers).
    ValveHeater{"50C5", 50000, 150, I, 0, 0, 150, "RCA 50C5 data sheet"},
    ValveHeater{"35C5", 35000, 150, I, 0, 0, 150, "RCA 35C5 data sheet"},
    ValveHeater{"50L6GT", 50000, 150, I, 0, 0, 150, "RCA 50L6GT data sheet"},
    ValveHeater{"35W4", 35000, 150, I, 0, 0, 150, "RCA 35W4 data sheet"},
    ValveHeater{"35Z5GT", 35000, 150, I, 0, 0, 150, "RCA 35Z5GT data sheet"},
    ValveHeater{"12AV6", 12600, 150, I, 0, 0, 150, "RCA 12AV6 data sheet"},
    ValveHeater{"12BA6", 12600, 150, I, 0, 0, 150, "RCA 12BA6 data sheet"},
    ValveHeater{"12BE6", 12600, 150, I, 0, 0, 150, "RCA 12BE6 data sheet"},
    ValveHeater{"12SA7", 12600, 150, I, 0, 0, 150, "RCA 12SA7 data sheet"},
    ValveHeater{"12SK7", 12600, 150, I, 0, 0, 150, "RCA 12SK7 data sheet"},
    ValveHeater{"12SQ7", 12600, 150, I, 0, 0, 150, "RCA 12SQ7 data sheet"},
    // Series-string valves, 100 mA (European U series).
    ValveHeater{"UCH81", 19000, 100, I, 0, 0, 100, "Philips UCH81 data sheet"},
    ValveHeater{"UBC81", 14000, 100, I, 0, 0, 100, "Philips UBC81 data sheet"},
    ValveHeater{"UF89", 12600, 100, I, 0, 0, 100, "Philips UF89 data sheet"},
    ValveHeater{"UL84", 45000, 100, I, 0, 0, 100, "Philips UL84 data sheet"},
    ValveHeater{"UY85", 38000, 100, I, 0, 0, 100, "Philips UY85 data sheet"},
    ValveHeater{"UCL82", 50000, 100, I, 0, 0, 100, "Mullard UCL82 data sheet"},
    ValveHeater{"UABC80", 28000, 100, I, 0, 0, 100, "Philips UABC80 data sheet"},
    // Series-string valves, 300 mA (European P series, television).
    ValveHeater{"PCL82 16A8", 16000, 300, I, 0, 0, 300, "Mullard PCL82 data sheet"},
    ValveHeater{"PCL86 14GW8", 13300, 300, I, 0, 0, 300, "Mullard PCL86 data sheet"},
    ValveHeater{"PL84 15CW5", 15000, 300, I, 0, 0, 300, "Mullard PL84 data sheet"},
    ValveHeater{"PCC88 7DJ8", 7000, 300, I, 0, 0, 300, "Philips PCC88 data sheet"},
    ValveHeater{"PCF80 9A8", 9000, 300, I, 0, 0, 300, "Mullard PCF80 data sheet"},
    ValveHeater{"PL36 25E5", 25000, 300, I, 0, 0, 300, "Mullard PL36 data sheet"},
    ValveHeater{"PY88 30AE3", 30000, 300, I, 0, 0, 300, "Mullard PY88 data sheet"},
    ValveHeater{"PY81 17Z3", 17000, 300, I, 0, 0, 300, "Mullard PY81 data sheet"},
};

} // namespace

std::span<const ValveHeater> valveHeaterTable()
{
    return kValves;
}

} // namespace ferrolux
