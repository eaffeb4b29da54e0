#pragma once

// An analysed design evaluated again with its voltages and load currents scaled: steps 8 to 12
// of the analysis (analysis_steps.h) on the currents after the search, unchecked and without
// allocating, for the load scale scan and the mains sweep.

#include "analysis.h"
#include "analysis_steps.h"

namespace ferrolux {

class ScaledLoad
{
public:
    ScaledLoad(const TransformerDesign &design, const AnalysisResult &result)
        : m_base(result), m_scratch(result), m_correctForLoading(design.correctForLoading)
    {
    }

    // The figures with the primary and every secondary voltage multiplied by `voltageFactor`
    // and every secondary current by `currentFactor`; resistances stay as they are.
    const AnalysisResult &at(double voltageFactor, double currentFactor)
    {
        m_scratch.primaryVoltage = m_base.primaryVoltage * voltageFactor;
        for (std::size_t i = 0; i < m_base.secondaries.size(); ++i) {
            m_scratch.secondaries[i].enteredVoltage =
                m_base.secondaries[i].enteredVoltage * voltageFactor;
            m_scratch.secondaries[i].current = m_base.secondaries[i].current * currentFactor;
        }
        computeLoadedFiguresUnchecked(m_scratch, m_correctForLoading);
        return m_scratch;
    }

    // The copper loss (Pdt) when every secondary current is multiplied by `scale`.
    double copperLossAtLoadScale(double scale) { return at(1, scale).totalDissipation; }

private:
    AnalysisResult m_base;
    AnalysisResult m_scratch;
    bool m_correctForLoading;
};

} // namespace ferrolux
