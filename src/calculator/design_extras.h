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
    // The records of the block this version did not understand (keys it does not know,
    // records without "="), exactly as the file held them, each ended by CR LF, in file order:
    // they are written back byte for byte.
    std::string keptRecords;
    // Known keys whose value did not read: the key and its whole record as the file held it.
    // The item stays at its default for the calculations, and the record is written back in
    // place of it for as long as the item keeps that default.
    std::vector<std::pair<std::string, std::string>> unreadRecords;

    bool operator==(const DesignExtras &) const = default;
};

// The record that opens the block, right after record 30.
inline constexpr std::string_view kDesignExtrasMarker = "[Ferrolux extras]";

// Reads the block from a whole last-run file's bytes (the 30 records are skipped). Every line
// after the marker is one record (CR LF, lone LF or lone CR end it), of any length: the block
// is bounded only by the size of the file. A missing block reads as the defaults. Numbers are
// plain decimals ("40", "-12.5"); a known key whose value does not read, or lies outside its
// range, leaves the item at its default and keeps its record as written (see
// designExtrasProblems). The last record of a known key wins. A record written between double
// quotes (as earlier versions wrote texts with commas) is read without them.
DesignExtras readDesignExtras(std::string_view fileBytes);

// What of the block did not read, one line each, fit to show a user: the record as written
// and the default used instead.
std::vector<std::string> designExtrasProblems(const DesignExtras &extras);

// The block's records (marker first), Latin-1, CR LF; appended after the 30 records. What
// readDesignExtras keeps verbatim is written verbatim, so reading the output gives the same
// DesignExtras back.
std::string designExtrasBytes(const DesignExtras &extras);

} // namespace ferrolux
