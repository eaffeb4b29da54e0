#pragma once

// An analysed design evaluated again with its voltages and load currents scaled: steps 8 to 12
// of the analysis (analysis_steps.h) on the currents after the search, unchecked and without
// allocating, for the load scale scan and the mains sweep.

#include "analysis.h"
#include "analysis_steps.h"
#include "winding_current_models.h"

#include <utility>

namespace ferrolux {

class ScaledLoad
{
public:
    // `models`: how each secondary's current follows the mains and the load (empty: every
    // current is multiplied by the current factor).
    ScaledLoad(const TransformerDesign &design, const AnalysisResult &result,
               WindingCurrentModels models = {})
        : m_base(result), m_scratch(result), m_correctForLoading(design.correctForLoading),
          m_models(std::move(models))
    {
    }

    // The figures with the primary and every secondary voltage multiplied by `voltageFactor`
    // and every secondary current by `currentFactor`; resistances stay as they are. A secondary
    // with a model takes the model's factor at the voltage factor and the load scale
    // currentFactor / voltageFactor (so the mains sweep, which moves both together, keeps its
    // load, and the load scale, at voltage factor 1, scales it).
    const AnalysisResult &at(double voltageFactor, double currentFactor)
    {
        m_scratch.primaryVoltage = m_base.primaryVoltage * voltageFactor;
        for (std::size_t i = 0; i < m_base.secondaries.size(); ++i) {
            m_scratch.secondaries[i].enteredVoltage =
                m_base.secondaries[i].enteredVoltage * voltageFactor;
            const bool modelled = i < m_models.size() && m_models[i] && voltageFactor > 0;
            m_scratch.secondaries[i].current =
                m_base.secondaries[i].current *
                (modelled ? m_models[i](voltageFactor, currentFactor / voltageFactor)
                          : currentFactor);
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
    WindingCurrentModels m_models;
};

} // namespace ferrolux
