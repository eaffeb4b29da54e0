#include "design_extras.h"

#include "input_range.h"
#include "last_run_file.h"
#include "plain_decimal.h"
#include "record_file.h"
#include "text_encoding.h"

#include <algorithm>

namespace ferrolux {

namespace {

std::string numbered(const char *key, std::size_t row)
{
    return key + std::to_string(row + 1);
}

// The numeric items of the block: key, the item in `t`, its accepted range.
struct NumberItem
{
    const char *key;
    double ThermalInputs::*item;
    InputRange range;
};
constexpr NumberItem kNumberItems[] = {
    {"ambient_c", &ThermalInputs::ambientC, kAmbientRange},
    {"hot_spot_k", &ThermalInputs::hotSpotAllowanceK, kHotSpotAllowanceRange},
    {"core_loss_w", &ThermalInputs::coreLossW, kCoreLossRange},
    {"emissivity", &ThermalInputs::emissivity, kEmissivityRange}};

enum class Applied { Unknown, Read, Unread };

// Applies one record of a known key; Unread when its value does not read (the item is then
// set to its default), Unknown when the key is not one this version knows.
Applied applyKnown(DesignExtras &extras, const std::string &key, const std::string &value)
{
    const ThermalInputs defaults;
    ThermalInputs &t = extras.thermal;
    for (const NumberItem &number : kNumberItems) {
        if (key == number.key) {
            const std::optional<double> read = numberInRange(value, number.range);
            t.*number.item = read.value_or(defaults.*number.item);
            return read ? Applied::Read : Applied::Unread;
        }
    }
    if (key == "insulation_class") {
        const std::optional<InsulationClass> read = insulationClassFromName(value);
        t.insulationClass = read.value_or(defaults.insulationClass);
        return read ? Applied::Read : Applied::Unread;
    }
    for (std::size_t row = 0; row < extras.loads.size(); ++row) {
        if (key == numbered("load_kind_", row)) {
            const std::optional<LoadKind> read = loadKindFromKey(value);
            extras.loads[row].kind = read.value_or(LoadKind::AC);
            return read ? Applied::Read : Applied::Unread;
        }
        if (key == numbered("dc_current_", row)) {
            extras.loads[row].dcCurrent = value;
            return Applied::Read;
        }
    }
    return Applied::Unknown;
}

// The text of a record: a record that begins with a double quote (earlier versions quoted
// texts holding a comma) is read up to the closing quote.
std::string_view recordText(std::string_view record)
{
    if (!record.starts_with('"')) {
        return record;
    }
    record.remove_prefix(1);
    return record.substr(0, record.find('"'));
}

const std::string *unreadRecordOf(const DesignExtras &extras, const std::string &key)
{
    for (const auto &[unreadKey, record] : extras.unreadRecords) {
        if (unreadKey == key) {
            return &record;
        }
    }
    return nullptr;
}

void forgetUnread(DesignExtras &extras, const std::string &key)
{
    std::erase_if(extras.unreadRecords, [&](const auto &entry) { return entry.first == key; });
}

// Where the writer puts a known key among the others.
std::size_t writtenPosition(const std::string &key)
{
    static const std::vector<std::string> order = [] {
        std::vector<std::string> keys = {"ambient_c", "insulation_class", "hot_spot_k",
                                         "core_loss_w", "emissivity"};
        for (std::size_t row = 0; row < kMaxSecondaries; ++row) {
            keys.push_back(numbered("load_kind_", row));
        }
        return keys;
    }();
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), key) - order.begin());
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
    // One record per line, whatever it holds: commas and quotes belong to the record.
    std::string_view rest = fileBytes.substr(reader.position());
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        const std::string_view record = rest.substr(0, end);
        rest.remove_prefix(end);
        if (rest.starts_with("\r\n")) {
            rest.remove_prefix(2);
        } else if (!rest.empty()) {
            rest.remove_prefix(1);
        }
        const std::string text = latin1ToUtf8(recordText(record));
        const std::size_t equals = text.find('=');
        const std::string key = equals == std::string::npos ? text : text.substr(0, equals);
        const Applied applied = equals == std::string::npos
                                    ? Applied::Unknown
                                    : applyKnown(extras, key, text.substr(equals + 1));
        if (applied == Applied::Unknown) {
            extras.keptRecords.append(record);
            extras.keptRecords += "\r\n";
        } else if (applied == Applied::Unread) {
            forgetUnread(extras, key);
            extras.unreadRecords.emplace_back(key, std::string(record));
        } else {
            forgetUnread(extras, key);
        }
    }
    // In the order the writer puts them, so that a written block reads back the same.
    std::stable_sort(extras.unreadRecords.begin(), extras.unreadRecords.end(),
                     [](const auto &a, const auto &b) {
                         return writtenPosition(a.first) < writtenPosition(b.first);
                     });
    return extras;
}

std::vector<std::string> designExtrasProblems(const DesignExtras &extras)
{
    std::vector<std::string> problems;
    for (const auto &[key, record] : extras.unreadRecords) {
        problems.push_back(latin1ToUtf8(record) +
                           ": the value does not read; the default is used and the record is "
                           "kept as written");
    }
    return problems;
}

std::string designExtrasBytes(const DesignExtras &extras)
{
    const ThermalInputs &t = extras.thermal;
    const ThermalInputs defaults;
    std::string bytes(kDesignExtrasMarker);
    bytes += "\r\n";
    // A known item whose record did not read is written as it was while it keeps the default.
    const auto entry = [&](const std::string &key, const std::string &value, bool isDefault) {
        const std::string *unread = unreadRecordOf(extras, key);
        bytes += unread != nullptr && isDefault ? *unread : utf8ToLatin1(key + "=" + value);
        bytes += "\r\n";
    };
    for (const NumberItem &number : kNumberItems) {
        if (number.item == &ThermalInputs::hotSpotAllowanceK) {
            // The written order is ambient, class, hot spot, core loss, emissivity.
            entry("insulation_class", std::string(insulationClassName(t.insulationClass)),
                  t.insulationClass == defaults.insulationClass);
        }
        entry(number.key, plainDecimalText(t.*number.item),
              t.*number.item == defaults.*number.item);
    }
    for (std::size_t row = 0; row < extras.loads.size(); ++row) {
        entry(numbered("load_kind_", row), std::string(loadKindKey(extras.loads[row].kind)),
              extras.loads[row].kind == LoadKind::AC);
    }
    for (std::size_t row = 0; row < extras.loads.size(); ++row) {
        // A record ends at a line end: a typed text never holds one.
        std::string current = extras.loads[row].dcCurrent;
        std::erase_if(current, [](char ch) { return ch == '\r' || ch == '\n'; });
        entry(numbered("dc_current_", row), current, false);
    }
    bytes += extras.keptRecords;
    return bytes;
}

} // namespace ferrolux
