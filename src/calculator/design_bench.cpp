#include "design_bench.h"

namespace ferrolux {

BenchRecords benchRecordsOf(const Design &design)
{
    return BenchRecords{design.measurements, design.lamination, design.valveList};
}

void setBenchRecords(Design &design, const BenchRecords &records)
{
    design.measurements = records.measurements;
    design.lamination = records.lamination;
    design.valveList = records.valveList;
}

void takeBenchRecordsFromExtras(Design &design)
{
    setBenchRecords(design, takeBenchRecords(design.extras.keptRecords));
}

DesignExtras extrasWithBenchRecords(const Design &design)
{
    DesignExtras extras = design.extras;
    extras.keptRecords += benchRecordBytes(benchRecordsOf(design));
    return extras;
}

} // namespace ferrolux
