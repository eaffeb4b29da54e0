#include "bench_records.h"

#include "plain_decimal.h"

#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

namespace ferrolux {

namespace {

std::string windingKey(int winding, const char *item)
{
    const std::string name = winding == 0 ? "primary" : "secondary_" + std::to_string(winding);
    return "rise_" + name + "_" + item;
}

std::string calibrationKey(ThermalModel model)
{
    return "calibration_" + std::string(thermalModelKey(model));
}

// The numeric items of the lamination, with where they go.
struct LaminationNumber
{
    const char *key;
    std::function<double &(LaminationChoice &)> item;
};

const std::vector<LaminationNumber> &laminationNumbers()
{
    static const std::vector<LaminationNumber> items = {
        {"lamination_tongue_cm", [](LaminationChoice &l) -> double & { return l.custom.tongueCm; }},
        {"lamination_window_width_cm",
         [](LaminationChoice &l) -> double & { return l.custom.windowWidthCm; }},
        {"lamination_window_height_cm",
         [](LaminationChoice &l) -> double & { return l.custom.windowHeightCm; }},
        {"lamination_stack_cm",
         [](LaminationChoice &l) -> double & { return l.conditions.stackCm; }},
        {"lamination_flux_t", [](LaminationChoice &l) -> double & { return l.conditions.fluxT; }},
        {"lamination_mains_v", [](LaminationChoice &l) -> double & { return l.conditions.mainsV; }},
        {"lamination_hz", [](LaminationChoice &l) -> double & { return l.conditions.hz; }},
        {"lamination_stacking_factor",
         [](LaminationChoice &l) -> double & { return l.conditions.stackingFactor; }},
        {"lamination_efficiency",
         [](LaminationChoice &l) -> double & { return l.conditions.efficiency; }},
    };
    return items;
}

std::optional<double> finiteNumber(std::string_view text)
{
    const std::optional<double> value = plainDecimal(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

RiseMeasurements &measurementsOf(BenchRecords &bench)
{
    if (!bench.measurements) {
        bench.measurements.emplace();
    }
    return *bench.measurements;
}

LaminationChoice &laminationOf(BenchRecords &bench)
{
    if (!bench.lamination) {
        bench.lamination.emplace();
    }
    return *bench.lamination;
}

bool applyRise(BenchRecords &bench, std::string_view key, std::string_view value)
{
    if (key == "rise_conductor") {
        const std::optional<Conductor> conductor = conductorFromName(value);
        if (conductor) {
            measurementsOf(bench).conductor = *conductor;
        }
        return conductor.has_value();
    }
    const std::optional<double> number = finiteNumber(value);
    if (key == "rise_ambient_c") {
        if (number) {
            measurementsOf(bench).ambientC = *number;
        }
        return number.has_value();
    }
    for (std::size_t m = 0; m < kThermalModels.size(); ++m) {
        if (key == calibrationKey(kThermalModels[m])) {
            if (number && *number >= 0) {
                measurementsOf(bench).calibration[m] = *number;
                return true;
            }
            return false;
        }
    }
    for (int w = 0; w < kMeasuredWindings; ++w) {
        double WindingReading::*item = nullptr;
        if (key == windingKey(w, "cold_ohms")) {
            item = &WindingReading::coldOhms;
        } else if (key == windingKey(w, "cold_c")) {
            item = &WindingReading::coldC;
        } else if (key == windingKey(w, "hot_ohms")) {
            item = &WindingReading::hotOhms;
        } else {
            continue;
        }
        if (!number) {
            return false;
        }
        auto &reading = measurementsOf(bench).windings[static_cast<std::size_t>(w)];
        if (!reading) {
            reading.emplace();
        }
        (*reading).*item = *number;
        return true;
    }
    return false;
}

bool applyLamination(BenchRecords &bench, std::string_view key, std::string_view value)
{
    if (key == "lamination") {
        laminationOf(bench).name = std::string(value);
        return true;
    }
    const std::optional<double> number = finiteNumber(value);
    if (key == "lamination_rise_k") {
        if (number && (*number == 25 || *number == 50)) {
            laminationOf(bench).conditions.riseK = static_cast<int>(*number);
            return true;
        }
        return false;
    }
    for (const LaminationNumber &item : laminationNumbers()) {
        if (key == item.key) {
            if (number) {
                item.item(laminationOf(bench)) = *number;
            }
            return number.has_value();
        }
    }
    return false;
}

std::string oneLine(std::string_view text)
{
    std::string line;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
            line += c;
        }
    }
    return line;
}

// Whether the record (without its CR LF) is one of ours that reads; applies it if so.
bool applyRecord(BenchRecords &bench, std::string_view record)
{
    if (record.starts_with('"')) {
        record.remove_prefix(1);
        record = record.substr(0, record.find('"'));
    }
    const std::size_t equals = record.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    const std::string_view key = record.substr(0, equals);
    const std::string_view value = record.substr(equals + 1);
    if (oneLine(value) != value) {
        // The writer leaves control characters out: such a record is kept as it was, so that
        // it reads back the same.
        return false;
    }
    if (key == "valves") {
        bench.valveList = std::string(value);
        return true;
    }
    if (key.starts_with("rise_") || key.starts_with("calibration_")) {
        return applyRise(bench, key, value);
    }
    if (key.starts_with("lamination")) {
        return applyLamination(bench, key, value);
    }
    return false;
}

void put(std::string &bytes, std::string_view key, std::string_view value)
{
    bytes.append(key).append("=").append(value).append("\r\n");
}

void putNumber(std::string &bytes, std::string_view key, double value)
{
    put(bytes, key, plainDecimalText(value));
}

} // namespace

BenchRecords takeBenchRecords(std::string &keptRecords)
{
    BenchRecords bench;
    std::string left;
    std::size_t start = 0;
    while (start < keptRecords.size()) {
        std::size_t end = keptRecords.find("\r\n", start);
        end = end == std::string::npos ? keptRecords.size() : end + 2;
        std::string_view record(keptRecords.data() + start, end - start);
        const std::string_view text =
            record.ends_with("\r\n") ? record.substr(0, record.size() - 2) : record;
        if (!applyRecord(bench, text)) {
            left.append(record);
        }
        start = end;
    }
    keptRecords = std::move(left);
    return bench;
}

std::string benchRecordBytes(const BenchRecords &bench)
{
    std::string bytes;
    if (bench.measurements) {
        const RiseMeasurements &m = *bench.measurements;
        put(bytes, "rise_conductor", conductorName(m.conductor));
        putNumber(bytes, "rise_ambient_c", m.ambientC);
        for (int w = 0; w < kMeasuredWindings; ++w) {
            if (const auto &reading = m.windings[static_cast<std::size_t>(w)]) {
                putNumber(bytes, windingKey(w, "cold_ohms"), reading->coldOhms);
                putNumber(bytes, windingKey(w, "cold_c"), reading->coldC);
                putNumber(bytes, windingKey(w, "hot_ohms"), reading->hotOhms);
            }
        }
        for (std::size_t i = 0; i < kThermalModels.size(); ++i) {
            if (m.calibration[i]) {
                putNumber(bytes, calibrationKey(kThermalModels[i]), *m.calibration[i]);
            }
        }
    }
    if (bench.lamination) {
        LaminationChoice l = *bench.lamination;
        put(bytes, "lamination", oneLine(l.name));
        for (const LaminationNumber &item : laminationNumbers()) {
            putNumber(bytes, item.key, item.item(l));
        }
        putNumber(bytes, "lamination_rise_k", l.conditions.riseK);
    }
    if (!bench.valveList.empty()) {
        put(bytes, "valves", oneLine(bench.valveList));
    }
    return bytes;
}

} // namespace ferrolux
