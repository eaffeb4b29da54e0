#pragma once

// The bench slots of a design (measurements, lamination, valve list) and the extension block
// that carries them in the design file.

#include "design.h"

namespace ferrolux {

BenchRecords benchRecordsOf(const Design &design);
void setBenchRecords(Design &design, const BenchRecords &records);

// After a read: takes the bench records out of the block's kept records into the slots.
void takeBenchRecordsFromExtras(Design &design);

// For a write: the design's block with the bench records after its own. Equal to the
// design's block when the slots are empty.
DesignExtras extrasWithBenchRecords(const Design &design);

} // namespace ferrolux
