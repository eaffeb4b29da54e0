#pragma once

// Figures worked out by hand for the bench checks: an analysis whose secondaries load the
// transformer with 64.07 VA, and a thermal check of 10 W over 100 cm².

#include "analysis.h"
#include "design.h"
#include "engineering_checks.h"

namespace ferrolux::testing_support {

// 300 V 0.1 A + 6.3 V 3.9 A + 5 V 1.9 A = 30 + 24.57 + 9.5 = 64.07 VA from 230 V; the
// input power 64.07 / 0.9 gives an efficiency of 0.9.
inline AnalysisResult handWorkedAnalysis()
{
    AnalysisResult r;
    r.primaryVoltage = 230;
    r.secondaries = {SecondaryResult{300, 0.1, 0, 300, 0, 30, 0},
                     SecondaryResult{6.3, 3.9, 0, 6.3, 0, 24.57, 0},
                     SecondaryResult{5, 1.9, 0, 5, 0, 9.5, 0}};
    r.primaryPower = 64.07 / 0.9;
    return r;
}

// 10 W over 100 cm²: ψ = 0.1 W/cm²; McLyman 450 · 0.1^0.826 = 67.18 K, Amidon
// (1000 · 0.1)^0.833 = 46.34 K; 40 K taken for convection and radiation.
inline ThermalCheck tenWattsOnAHundredCm2()
{
    ThermalCheck check;
    check.available = true;
    check.heatW = 10;
    check.surfaceCm2 = 100;
    check.meanLengthM = 0.05;
    check.models = {ModelEstimate{ThermalModel::McLyman, 67.18, 0},
                    ModelEstimate{ThermalModel::Amidon, 46.34, 0},
                    ModelEstimate{ThermalModel::ConvectionRadiation, 40, 0}};
    return check;
}

// A reading of one winding, a calibration, an EI96 stack and a valve list: every bench slot a
// design file carries.
inline void addBench(Design &design)
{
    design.measurements.emplace();
    design.measurements->windings[4] = WindingReading{0.5, 20, 0.55};
    design.measurements->calibration = {1.2, std::nullopt, 0.9};
    design.lamination = LaminationChoice{"EI96", {}, {}};
    design.lamination->conditions.stackCm = 3.2;
    design.valveList = "EL34*2, 12AX7*3";
}

} // namespace ferrolux::testing_support
