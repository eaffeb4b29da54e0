#pragma once

// The lamination a design is wound on, and what it can carry against the design's load.

#include "input_problem.h"
#include "laminations.h"

#include <string>
#include <string_view>
#include <vector>

namespace ferrolux {

struct LaminationChoice
{
    std::string name; // a table name ("EI96"); empty for a core given by its dimensions
    CoreShape custom; // used when the name is empty
    CoreConditions conditions;

    bool operator==(const LaminationChoice &other) const;
};

// The core's shape: the table's row for a name, otherwise the dimensions given.
Checked<CoreShape> chosenShape(const LaminationChoice &choice);

struct LaminationEstimate
{
    CoreShape shape;
    CoreFigures figures;
    double designVa = 0; // the design's total secondary VA
    double marginVa = 0; // estimate - design: below 0 the core is asked for more than it carries
    bool carries() const { return marginVa >= 0; }
};

// The core's figures and its VA estimate against the design's total secondary VA (>= 0).
Checked<LaminationEstimate> laminationEstimate(const LaminationChoice &choice, double designVa);

// What the estimate assumes, in one sentence for people.
std::string_view laminationAssumptions();

// The lamination's lines of the check section (its figures, the estimate against the load, or
// why there are none).
std::vector<std::string> laminationCheckLines(const LaminationChoice &choice,
                                              const Checked<LaminationEstimate> &estimate);

} // namespace ferrolux
