#pragma once

// The controls of the calculator window, built once by buildWindowControls. Every control
// carries its design name as its Qt object name; members of the secondary families are named
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
    InputField *TxtPriV = nullptr;
    InputField *TxtPriR = nullptr;
    InputField *TxtNoSec = nullptr;

    SecondaryFamily<InputField> TxtSec1V{}; // voltage
    SecondaryFamily<InputField> TxtSec1I{}; // current
    SecondaryFamily<InputField> TxtSec1R{}; // winding resistance
    SecondaryFamily<QLabel> Text10{};       // "Secondary k Voltage"
    SecondaryFamily<QLabel> Text12{};       // "Volts"
    SecondaryFamily<QLabel> Text13{};       // "Secondary k Current"
    SecondaryFamily<QLabel> Text15{};       // "Amps"
    SecondaryFamily<QLabel> Text16{};       // "Secondary k Resistance"
    SecondaryFamily<QLabel> Text18{};       // "Ohms"

    InputField *TxtX = nullptr;
    InputField *TxtY = nullptr;
    InputField *TxtZ = nullptr;
    InputField *TxtA = nullptr;
    InputField *TxtB = nullptr;
    InputField *TxtC = nullptr;

    QGroupBox *Frame1 = nullptr;
    // OpType1, OpType2, OpType3 and OpMil, in the order of kConstructionTypes.
    std::array<QRadioButton *, 4> typeOptions{};
    QButtonGroup *typeGroup = nullptr;

    LoadingCheckBox *ChkLoading = nullptr;

    QGroupBox *Frame2 = nullptr;
    QPushButton *CmdCalc = nullptr;
    QPushButton *CmdClr = nullptr;
    QPushButton *CmdLoadData = nullptr;
    QPushButton *CmdClose = nullptr;

    QLabel *Image1 = nullptr;
    QListWidget *ListOut = nullptr;
    QPlainTextEdit *Txt2QuickHelp = nullptr;

    // Every caption field, description, letter and unit captions alike.
    std::vector<QLabel *> captions;

    // The option button of a construction type; nullptr for TransformerType::None.
    QRadioButton *typeButton(TransformerType type) const;
};

// Creates every control of the window inside `form`, places it and sets the tab order.
WindowControls buildWindowControls(QWidget *form, const TwipsScale &scale);

} // namespace ferrolux
