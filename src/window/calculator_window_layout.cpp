// Builds the controls of the calculator window at their design positions (twips) and sets the
// tab order.

#include "calculator_window_controls.h"
#include "calculator_window_widgets.h"
#include "construction_types.h"
#include "report_face.h"
#include "report_list.h"
#include "twips.h"
#include "type_frame.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

namespace ferrolux {
namespace {

constexpr int kFieldHeight = 285;
constexpr int kInputWidth = 975;
constexpr int kUnitWidth = 495;

// One line of the electrical inputs: caption, input field and unit caption at one top.
struct InputLine
{
    int top;
    int captionLeft;
    int captionWidth;
    int inputLeft;
    int unitLeft;
};

// The three lines of each secondary row: voltage, current, resistance.
struct SecondaryLayout
{
    InputLine voltage;
    InputLine current;
    InputLine resistance;
};

constexpr SecondaryLayout kSecondaryLayouts[kMaxSecondaries] = {
    {{1320, 360, 1575, 2040, 3120}, {1680, 360, 1575, 2040, 3120}, {2040, 120, 1815, 2040, 3120}},
    {{2400, 240, 1695, 2040, 3120}, {2760, 360, 1575, 2040, 3120}, {3120, 0, 1935, 2040, 3120}},
    {{240, 4200, 1695, 6000, 7080}, {600, 4200, 1695, 6000, 7080}, {960, 3960, 1935, 6000, 7080}},
    {{1320, 4080, 1815, 6000, 7080},
     {1680, 4200, 1695, 6000, 7080},
     {2040, 3960, 1935, 6000, 7080}},
    {{240, 8160, 1695, 9960, 11040},
     {600, 8160, 1695, 9960, 11040},
     {960, 7680, 1935, 9960, 11040}},
    {{1320, 8160, 1695, 9960, 11040},
     {1680, 8280, 1575, 9960, 11040},
     {2040, 7920, 1935, 9960, 11040}},
};

// Everything a builder needs: the parent it builds into and the twips scale.
class Builder
{
public:
    Builder(QWidget *form, const TwipsScale &scale, std::vector<QLabel *> &captions)
        : m_form(form), m_scale(scale), m_captions(captions)
    {
    }

    template <typename W>
    W *place(W *widget, const QString &name, int left, int top, int width, int height) const
    {
        widget->setObjectName(name);
        widget->setGeometry(m_scale.toPixels(left, top, width, height));
        return widget;
    }

    InputField *input(const QString &name, int left, int top, QWidget *parent = nullptr) const
    {
        return place(new InputField(parent ? parent : m_form), name, left, top, kInputWidth,
                     kFieldHeight);
    }

    QLabel *caption(const QString &name, const QString &text, Qt::Alignment alignment, int left,
                    int top, int width) const
    {
        QLabel *field = makeCaptionField(m_form, name, text, alignment);
        field->setGeometry(m_scale.toPixels(left, top, width, kFieldHeight));
        m_captions.push_back(field);
        return field;
    }

    // Description caption, input field and unit caption of one line.
    InputField *line(const InputLine &at, const QString &captionName, const QString &captionText,
                     const QString &inputName, const QString &unitName, const QString &unitText,
                     QLabel **captionOut = nullptr, QLabel **unitOut = nullptr) const
    {
        QLabel *description = caption(captionName, captionText, Qt::AlignRight, at.captionLeft,
                                      at.top, at.captionWidth);
        InputField *field = input(inputName, at.inputLeft, at.top);
        QLabel *unit = caption(unitName, unitText, Qt::AlignLeft, at.unitLeft, at.top, kUnitWidth);
        if (captionOut) {
            *captionOut = description;
        }
        if (unitOut) {
            *unitOut = unit;
        }
        return field;
    }

    QWidget *form() const { return m_form; }
    const TwipsScale &scale() const { return m_scale; }

private:
    QWidget *m_form;
    const TwipsScale &m_scale;
    std::vector<QLabel *> &m_captions;
};

QString familyName(const char *family, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(index);
}

void buildElectricalInputs(const Builder &b, WindowControls &c)
{
    c.primaryVoltageEdit = b.line({240, 720, 1215, 2040, 3120}, "Text1", "Primary voltage",
                                  "TxtPriV", "Text3", "Volts");
    c.primaryResistanceEdit = b.line({600, 360, 1575, 2040, 3120}, "Text4", "Primary Resistance",
                                     "TxtPriR", "Text6", "Ohms");
    c.secondaryCountEdit = b.line({960, 0, 1935, 2040, 3120}, "Text7", "Number of Secondaries",
                                  "TxtNoSec", "Text9", QString());

    for (int k = 0; k < kMaxSecondaries; ++k) {
        const SecondaryLayout &at = kSecondaryLayouts[k];
        const QString number = QString::number(k + 1);
        c.secondaryVoltageEdits[k] =
            b.line(at.voltage, familyName("Text10", k), "Secondary " + number + " Voltage",
                   familyName("TxtSec1V", k), familyName("Text12", k), "Volts",
                   &c.secondaryVoltageCaptions[k], &c.secondaryVoltageUnits[k]);
        c.secondaryCurrentEdits[k] =
            b.line(at.current, familyName("Text13", k), "Secondary " + number + " Current",
                   familyName("TxtSec1I", k), familyName("Text15", k), "Amps",
                   &c.secondaryCurrentCaptions[k], &c.secondaryCurrentUnits[k]);
        c.secondaryResistanceEdits[k] =
            b.line(at.resistance, familyName("Text16", k), "Secondary " + number + " Resistance",
                   familyName("TxtSec1R", k), familyName("Text18", k), "Ohms",
                   &c.secondaryResistanceCaptions[k], &c.secondaryResistanceUnits[k]);
    }
}

void buildDimensions(const Builder &b, WindowControls &c)
{
    struct DimensionLine
    {
        const char *letterName;
        const char *letter;
        const char *inputName;
        const char *unitName;
        InputField *WindowControls::*field;
    };
    static constexpr DimensionLine kLines[] = {
        {"Text64", "X", "TxtX", "Text66", &WindowControls::dimensionXEdit},
        {"Text67", "Y", "TxtY", "Text69", &WindowControls::dimensionYEdit},
        {"Text70", "Z", "TxtZ", "Text72", &WindowControls::dimensionZEdit},
        {"Text73", "A", "TxtA", "Text75", &WindowControls::dimensionAEdit},
        {"Text76", "B", "TxtB", "Text78", &WindowControls::dimensionBEdit},
        {"Text79", "C", "TxtC", "Text81", &WindowControls::dimensionCEdit},
    };
    int top = 5520;
    for (const DimensionLine &line : kLines) {
        b.caption(line.letterName, line.letter, Qt::AlignRight, 3720, top, 255);
        c.*line.field = b.input(line.inputName, 4080, top);
        b.caption(line.unitName, "cm", Qt::AlignLeft, 5160, top, 255);
        top += 360;
    }
}

void buildTypeFrame(const Builder &b, WindowControls &c)
{
    auto *frame = b.place(new TypeFrame(QStringLiteral("Transformer Type"), b.form()), "Frame1",
                          3720, 2640, 1935, 1695);
    c.typeFrame = frame;
    c.typeGroup = new QButtonGroup(frame);
    c.typeGroup->setExclusive(true);
    auto option = [&](const char *name, const char *caption, int top, int width) {
        auto *button = new QRadioButton(QString::fromUtf8(caption), frame);
        button->setObjectName(QString::fromLatin1(name));
        frame->addOption(button, b.scale().toPixels(120, top, width, 255));
        c.typeGroup->addButton(button);
        return button;
    };
    for (std::size_t i = 0; i < kConstructionTypes.size(); ++i) {
        const ConstructionType &t = kConstructionTypes[i];
        c.typeOptions[i] = option(t.optionName, t.caption, t.designTop, t.designWidth);
    }

    c.correctForLoadingBox = b.place(
        new LoadingCheckBox(QStringLiteral("Voltages Measured Open Circuit, Correct for Loading."),
                            b.form()),
        "ChkLoading", 3720, 4560, 1815, 735);
}

void buildCommandFrame(const Builder &b, WindowControls &c)
{
    c.commandFrame = b.place(new QGroupBox(b.form()), "Frame2", 300, 3540, 3255, 1215);
    auto command = [&](const char *name, const char *caption, int left, int top) {
        auto *button = b.place(new QPushButton(QString::fromUtf8(caption), c.commandFrame), name,
                               left, top, 1335, 375);
        button->setAutoDefault(false);
        return button;
    };
    c.calculateButton = command("CmdCalc", "Calculate", 120, 240);
    c.clearButton = command("CmdClr", "Clear Data", 1680, 240);
    c.loadButton = command("CmdLoadData", "Load Last Run", 120, 720);
    c.closeButton = command("CmdClose", "Close", 1680, 720);
}

// The named font when the font database has it, otherwise `fallback`; 9.75 points either way.
QFont fontOrFallback(const QString &family, QFont fallback)
{
    QFont font = QFontDatabase::families().contains(family) ? QFont(family) : fallback;
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

void buildOutputs(const Builder &b, WindowControls &c)
{
    c.typePicture = b.place(new QLabel(b.form()), "Image1", 300, 4920, 2415, 2775);
    c.typePicture->setScaledContents(true);
    c.typePicture->setAlignment(Qt::AlignCenter);
    c.typePicture->setWordWrap(true);

    auto *list = b.place(new ReportList(reportFace(ReportList::kLargestPointSize), b.form()),
                         "ListOut", 5880, 2520, 5655, 3900);
    c.reportList = list;

    c.quickHelpBox = b.place(new QPlainTextEdit(b.form()), "Txt2QuickHelp", 5880, 6600, 5625, 1080);
    c.quickHelpBox->setReadOnly(true);
    c.quickHelpBox->setFrameShape(QFrame::NoFrame);
    c.quickHelpBox->setFocusPolicy(Qt::StrongFocus);
    c.quickHelpBox->setFont(fontOrFallback(QStringLiteral("MS Sans Serif"), b.form()->font()));
    QPalette palette = c.quickHelpBox->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, palette.color(QPalette::ButtonText));
    c.quickHelpBox->setPalette(palette);
}

void setTabOrder(const WindowControls &c)
{
    std::vector<QWidget *> order{c.primaryVoltageEdit, c.primaryResistanceEdit,
                                 c.secondaryCountEdit};
    for (int k = 0; k < kMaxSecondaries; ++k) {
        order.insert(order.end(), {c.secondaryVoltageEdits[k], c.secondaryCurrentEdits[k],
                                   c.secondaryResistanceEdits[k]});
    }
    order.insert(order.end(),
                 {c.dimensionXEdit, c.dimensionYEdit, c.dimensionZEdit, c.dimensionAEdit,
                  c.dimensionBEdit, c.dimensionCEdit, c.reportList, c.quickHelpBox});
    order.insert(order.end(), c.typeOptions.begin(), c.typeOptions.end());
    order.insert(order.end(), {c.calculateButton, c.clearButton, c.loadButton, c.closeButton,
                               c.correctForLoadingBox});
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace

QRadioButton *WindowControls::typeButton(TransformerType type) const
{
    for (std::size_t i = 0; i < kConstructionTypes.size(); ++i) {
        if (kConstructionTypes[i].type == type) {
            return typeOptions[i];
        }
    }
    return nullptr;
}

WindowControls buildWindowControls(QWidget *form, const TwipsScale &scale)
{
    WindowControls controls;
    const Builder builder(form, scale, controls.captions);
    buildElectricalInputs(builder, controls);
    buildDimensions(builder, controls);
    buildTypeFrame(builder, controls);
    buildCommandFrame(builder, controls);
    buildOutputs(builder, controls);
    setTabOrder(controls);
    return controls;
}

} // namespace ferrolux
