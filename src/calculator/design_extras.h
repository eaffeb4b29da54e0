#pragma once

// The extension block of the last-run file: after record 30, a marker record and then
// `key=value` text records holding what the engineering checks need beyond the 30 records
// (thermal inputs, and per secondary its load kind and DC load current). A reader that stops
// after record 30 never sees it; a file without it reads as the defaults; keys this version
// does not know are kept and written back.

#include "engineering_checks.h"
#include "secondary_texts.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ferrolux {

struct SecondaryLoad
{
    LoadKind kind = LoadKind::AC;
    std::string dcCurrent; // amperes, as typed; empty when not given

    bool operator==(const SecondaryLoad &) const = default;
};

struct DesignExtras
{
    ThermalInputs thermal;
    std::array<SecondaryLoad, kMaxSecondaries> loads{};
    // Keys this version does not know, in file order, kept so they are written back.
    std::vector<std::pair<std::string, std::string>> unknown;

    bool operator==(const DesignExtras &) const = default;
};

// The record that opens the block, right after record 30.
inline constexpr std::string_view kDesignExtrasMarker = "[Ferrolux extras]";
// At most this many records of the block are read; the rest of a longer file is ignored.
inline constexpr int kMaxDesignExtrasRecords = 1000;

// Reads the block from a whole last-run file's bytes (the 30 records are skipped). A missing
// block, or a key whose value does not read, leaves that item at its default. Numbers are plain
// decimals ("40", "-12.5"); a value outside its range reads as the default. A record of the
// block without "=" is dropped.
DesignExtras readDesignExtras(std::string_view fileBytes);

// The block's records (marker first), Latin-1, CR LF; appended after the 30 records.
std::string designExtrasBytes(const DesignExtras &extras);

} // namespace ferrolux
