#include "design_extras.h"

#include "input_range.h"
#include "last_run_file.h"
#include "plain_decimal.h"
#include "record_file.h"

namespace ferrolux {

namespace {

std::string numbered(const char *key, std::size_t row)
{
    return key + std::to_string(row + 1);
}

// Applies one known key; false when the key is not one this version knows.
bool applyKnown(DesignExtras &extras, const std::string &key, const std::string &value)
{
    const ThermalInputs defaults;
    ThermalInputs &t = extras.thermal;
    const std::pair<const char *, std::pair<double *, InputRange>> numbers[] = {
        {"ambient_c", {&t.ambientC, kAmbientRange}},
        {"hot_spot_k", {&t.hotSpotAllowanceK, kHotSpotAllowanceRange}},
        {"core_loss_w", {&t.coreLossW, kCoreLossRange}},
        {"emissivity", {&t.emissivity, kEmissivityRange}}};
    const double *const defaultValues[] = {&defaults.ambientC, &defaults.hotSpotAllowanceK,
                                           &defaults.coreLossW, &defaults.emissivity};
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
        const auto &[name, target] = numbers[i];
        if (key == name) {
            *target.first = numberInRange(value, target.second).value_or(*defaultValues[i]);
            return true;
        }
    }
    if (key == "insulation_class") {
        t.insulationClass = insulationClassFromName(value).value_or(defaults.insulationClass);
        return true;
    }
    for (std::size_t row = 0; row < extras.loads.size(); ++row) {
        if (key == numbered("load_kind_", row)) {
            extras.loads[row].kind = loadKindFromKey(value).value_or(LoadKind::AC);
            return true;
        }
        if (key == numbered("dc_current_", row)) {
            extras.loads[row].dcCurrent = value;
            return true;
        }
    }
    return false;
}

} // namespace

DesignExtras readDesignExtras(std::string_view fileBytes)
{
    DesignExtras extras;
    RecordReader reader(fileBytes);
    for (int record = 1; record <= kLastRunRecordCount; ++record) {
        if (!reader.nextField()) {
            return extras;
        }
    }
    const std::optional<std::string> marker = reader.nextField();
    if (!marker || *marker != kDesignExtrasMarker) {
        return extras;
    }
    for (int record = 0; record < kMaxDesignExtrasRecords; ++record) {
        const std::optional<std::string> field = reader.nextField();
        if (!field) {
            break;
        }
        const std::size_t equals = field->find('=');
        if (equals == std::string::npos) {
            continue;
        }
        std::string key = field->substr(0, equals);
        std::string value = field->substr(equals + 1);
        if (!applyKnown(extras, key, value)) {
            extras.unknown.emplace_back(std::move(key), std::move(value));
        }
    }
    return extras;
}

std::string designExtrasBytes(const DesignExtras &extras)
{
    const ThermalInputs &t = extras.thermal;
    RecordWriter writer;
    writer.text(kDesignExtrasMarker);
    const auto entry = [&writer](const std::string &key, const std::string &value) {
        writer.text(key + "=" + value);
    };
    entry("ambient_c", plainDecimalText(t.ambientC));
    entry("insulation_class", std::string(insulationClassName(t.insulationClass)));
    entry("hot_spot_k", plainDecimalText(t.hotSpotAllowanceK));
    entry("core_loss_w", plainDecimalText(t.coreLossW));
    entry("emissivity", plainDecimalText(t.emissivity));
    for (std::size_t row = 0; row < extras.loads.size(); ++row) {
        entry(numbered("load_kind_", row), std::string(loadKindKey(extras.loads[row].kind)));
    }
    for (std::size_t row = 0; row < extras.loads.size(); ++row) {
        entry(numbered("dc_current_", row), extras.loads[row].dcCurrent);
    }
    for (const auto &[key, value] : extras.unknown) {
        entry(key, value);
    }
    return writer.bytes();
}

} // namespace ferrolux
