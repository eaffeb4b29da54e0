#pragma once

// What a design keeps of the transformer on the bench, as `key=value` records of the design
// file's extension block: the measured resistances and the calibration factors, the
// lamination, and the valve list of the load builder.

#include "lamination_estimate.h"
#include "rise_measurements.h"

#include <optional>
#include <string>

namespace ferrolux {

struct BenchRecords
{
    std::optional<RiseMeasurements> measurements;
    std::optional<LaminationChoice> lamination;
    std::string valveList; // as typed; empty when none

    bool operator==(const BenchRecords &) const = default;
};

// Takes this feature's records out of `keptRecords` (records ended by CR LF, as the extension
// block keeps the ones it does not know) and reads them. A record whose value does not read
// stays in `keptRecords`, to be written back as it was.
BenchRecords takeBenchRecords(std::string &keptRecords);

// The records for `bench`, each ended by CR LF; empty when it holds nothing. Line breaks and
// other control characters in texts are left out, so that every value stays one record.
std::string benchRecordBytes(const BenchRecords &bench);

} // namespace ferrolux
