#pragma once

// The controls of the calculator window, built once by buildWindowControls. Every control
// carries its design name as its Qt object name (given beside each member below); members of the
// secondary families are named
// "<family>_<index>", index 0..5 standing for secondary 1..6.

#include "secondary_texts.h"

#include <array>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ferrolux {

class InputField;
class LoadingCheckBox;
class TwipsScale;

template <typename T> using SecondaryFamily = std::array<T *, kMaxSecondaries>;

struct WindowControls
{
    InputField *primaryVoltageEdit = nullptr;    // TxtPriV
    InputField *primaryResistanceEdit = nullptr; // TxtPriR
    InputField *secondaryCountEdit = nullptr;    // TxtNoSec

    SecondaryFamily<InputField> secondaryVoltageEdits{};    // TxtSec1V
    SecondaryFamily<InputField> secondaryCurrentEdits{};    // TxtSec1I
    SecondaryFamily<InputField> secondaryResistanceEdits{}; // TxtSec1R
    SecondaryFamily<QLabel> secondaryVoltageCaptions{};     // Text10, "Secondary k Voltage"
    SecondaryFamily<QLabel> secondaryVoltageUnits{};        // Text12, "Volts"
    SecondaryFamily<QLabel> secondaryCurrentCaptions{};     // Text13, "Secondary k Current"
    SecondaryFamily<QLabel> secondaryCurrentUnits{};        // Text15, "Amps"
    SecondaryFamily<QLabel> secondaryResistanceCaptions{};  // Text16, "Secondary k Resistance"
    SecondaryFamily<QLabel> secondaryResistanceUnits{};     // Text18, "Ohms"

    InputField *dimensionXEdit = nullptr; // TxtX
    InputField *dimensionYEdit = nullptr; // TxtY
    InputField *dimensionZEdit = nullptr; // TxtZ
    InputField *dimensionAEdit = nullptr; // TxtA
    InputField *dimensionBEdit = nullptr; // TxtB
    InputField *dimensionCEdit = nullptr; // TxtC

    QGroupBox *typeFrame = nullptr; // Frame1
    // OpType1, OpType2, OpType3 and OpMil, in the order of kConstructionTypes.
    std::array<QRadioButton *, 4> typeOptions{};
    QButtonGroup *typeGroup = nullptr;

    LoadingCheckBox *correctForLoadingBox = nullptr; // ChkLoading

    QGroupBox *commandFrame = nullptr;      // Frame2
    QPushButton *calculateButton = nullptr; // CmdCalc
    QPushButton *clearButton = nullptr;     // CmdClr
    QPushButton *loadButton = nullptr;      // CmdLoadData
    QPushButton *closeButton = nullptr;     // CmdClose

    QLabel *typePicture = nullptr;          // Image1
    QListWidget *reportList = nullptr;      // ListOut
    QPlainTextEdit *quickHelpBox = nullptr; // Txt2QuickHelp

    // Every caption field, description, letter and unit captions alike.
    std::vector<QLabel *> captions;

    // The option button of a construction type; nullptr for TransformerType::None.
    QRadioButton *typeButton(TransformerType type) const;
};

// Creates every control of the window inside `form`, places it and sets the tab order.
WindowControls buildWindowControls(QWidget *form, const TwipsScale &scale);

} // namespace ferrolux
