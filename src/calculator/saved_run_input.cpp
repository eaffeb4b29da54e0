#include "saved_run_input.h"

namespace ferrolux {

AnalysisInput analysisInputFrom(const LastRun &run, const DissipationLimits &limits)
{
    AnalysisInput input;
    input.primaryVoltage = run.primaryVoltage;
    input.primaryResistance = run.primaryResistance;
    input.secondaryCount = run.secondaryCount;
    input.secondaries = run.secondaries;
    input.x = run.x;
    input.y = run.y;
    input.z = run.z;
    input.a = run.a;
    input.b = run.b;
    input.c = run.c;
    input.potted = run.typeCode == static_cast<int>(TransformerType::MilitaryPotted);
    input.correctForLoading = run.loading == 1;
    input.plateLimit = limits.OCPPDis;
    input.filamentLimit = limits.OCFPDis;
    return input;
}

} // namespace ferrolux
