#pragma once

// The four construction types, in the order their options stand in the "Transformer Type"
// frame: which option shows each, its caption, where the layout puts it, and its picture.

#include "secondary_texts.h"

#include <array>

namespace ferrolux {

struct ConstructionType
{
    TransformerType type;
    const char *optionName;  // object name of the option button
    const char *caption;     // the option's caption
    int designTop;           // twips from the frame's top
    int designWidth;         // twips
    const char *pictureFile; // in the program folder
};

inline constexpr std::array<ConstructionType, 4> kConstructionTypes{{
    {TransformerType::Unshielded, "OpType1", "Unshielded", 240, 1335, "Transformer-1.jpg"},
    {TransformerType::ShieldedTopMount, "OpType2", "Shielded Top Mount", 600, 1815,
     "Transformer-2.jpg"},
    {TransformerType::ShieldedSubMount, "OpType3", "Shielded Sub Mount", 960, 1815,
     "Transformer-3.jpg"},
    {TransformerType::MilitaryPotted, "OpMil", "Military, Potted", 1320, 1575, "Transformer-4.jpg"},
}};

// The table's entry for `type`; nullptr for TransformerType::None.
inline const ConstructionType *constructionType(TransformerType type)
{
    for (const ConstructionType &entry : kConstructionTypes) {
        if (entry.type == type) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace ferrolux
