// The calculator window: construction, quick help, secondary rows, type selection, Clear Data
// and Calculate. The last-run file and the placement on screen are in their own files.

#include "calculator_window.h"

#include "calculator_window_controls.h"
#include "calculator_window_font.h"
#include "calculator_window_widgets.h"
#include "construction_types.h"
#include "evaluation.h"
#include "file_helpers.h"
#include "input_names.h"
#include "scaled_picture.h"
#include "secondary_rows.h"
#include "twips.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace ferrolux {
namespace {

constexpr int kDesignClientWidth = 11700; // twips
constexpr int kDesignClientHeight = 7920; // twips

void quitAtOnce(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

// The object name of the control a refusal blames ("TxtPriV", "TxtSec1R_1", ...); empty
// when no single field is to blame.
QString refusedFieldName(DesignField field, int row)
{
    const auto rowName = [row](const char *family) {
        return QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(row);
    };
    switch (field) {
    case DesignField::None:
        break;
    case DesignField::PrimaryVoltage:
        return QStringLiteral("TxtPriV");
    case DesignField::PrimaryResistance:
        return QStringLiteral("TxtPriR");
    case DesignField::SecondaryCount:
        return QStringLiteral("TxtNoSec");
    case DesignField::SecondaryVoltage:
        return rowName("TxtSec1V");
    case DesignField::SecondaryCurrent:
        return rowName("TxtSec1I");
    case DesignField::SecondaryResistance:
        return rowName("TxtSec1R");
    case DesignField::DimensionX:
        return QStringLiteral("TxtX");
    case DesignField::DimensionY:
        return QStringLiteral("TxtY");
    case DesignField::DimensionZ:
        return QStringLiteral("TxtZ");
    case DesignField::DimensionA:
        return QStringLiteral("TxtA");
    case DesignField::DimensionB:
        return QStringLiteral("TxtB");
    case DesignField::DimensionC:
        return QStringLiteral("TxtC");
    }
    return {};
}

} // namespace

CalculatorWindow::CalculatorWindow(QString appFolder, QWidget *parent)
    : QWidget(parent), m_appFolder(std::move(appFolder)),
      m_controls(std::make_unique<WindowControls>()), m_quit(quitAtOnce),
      m_writeLastRun(
          [](const std::string &path, std::string_view bytes) { return saveFile(path, bytes); })
{
    m_message = [this](const QString &title, const QString &message) {
        QMessageBox box(QMessageBox::NoIcon, title, message, QMessageBox::Ok, this);
        // The form's own font, not the platform's message font.
        box.setFont(font());
        box.exec();
    };
    m_question = [this](const QString &title, const QString &question) {
        QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No,
                        this);
        box.setFont(font());
        return box.exec() == QMessageBox::Yes;
    };

    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Ferrolux Analysis Calculator"));
    const TwipsScale scale(logicalDpiX(), logicalDpiY());
    // The controls sit at fixed design positions, so the form keeps its design size; a screen
    // too small for it scrolls it instead (the main window holds it in a scroll area).
    setFixedSize(scale.toPixelsX(kDesignClientWidth), scale.toPixelsY(kDesignClientHeight));
    // The dialog font is set before the widgets exist, so they are built in it; it changes
    // afterwards only where a caption does not fit at its largest size.
    setFont(preferredDialogFont(font()));
    *m_controls = buildWindowControls(this, scale);
    if (const QFont fitted = fitDialogFont(*m_controls, font()); fitted != font()) {
        setFont(fitted);
    }

    m_helpCalculate = QStringLiteral(
        "Calculate: analyses the transformer and writes the report. Leave a secondary's "
        "current at 0 to have it found: it is raised until the winding reaches its "
        "dissipation limit.");
    m_helpClear = QStringLiteral("Clear Data: empties the form for six secondaries with a "
                                 "117.0 V primary and clears the type and the report. Nothing is "
                                 "saved.");
    m_helpLoad = QStringLiteral(
        "Load: restores the inputs from the last-run file, discarding the changes made since. "
        "Until the program is first closed that file holds the worked example.");
    m_helpClose =
        QStringLiteral("Close: saves every input for the next start and ends the program.");

    connectHandlers();
    installUsabilityAids();
    nameFormInputs(this);
}

CalculatorWindow::~CalculatorWindow() = default;

void CalculatorWindow::load()
{
    // Anything wrong with the files is told once, at start; the panel keeps showing a limits
    // warning while those limits are in use.
    restoreLastRun();
    focusFirstField();
}

void CalculatorWindow::focusFirstField()
{
    m_controls->TxtPriV->setFocus(Qt::OtherFocusReason);
}

QRect CalculatorWindow::messageArea() const
{
    const QWidget *help = m_controls->Txt2QuickHelp;
    return {help->mapTo(this, QPoint(0, 0)), help->size()};
}

void CalculatorWindow::setQuitFunction(QuitFunction quit)
{
    m_quit = std::move(quit);
}

void CalculatorWindow::setLastRunWriter(FileWriter writer)
{
    m_writeLastRun = std::move(writer);
}

void CalculatorWindow::setMessageFunction(MessageFunction message)
{
    m_message = std::move(message);
}

void CalculatorWindow::setQuestionFunction(QuestionFunction question)
{
    m_question = std::move(question);
}

QString CalculatorWindow::filePath(const char *fileName) const
{
    return m_appFolder + QString::fromUtf8(fileName);
}

void CalculatorWindow::connectHandlers()
{
    const WindowControls &c = *m_controls;
    connect(c.TxtNoSec, &QLineEdit::textChanged, this, [this] {
        updateSecondaryRows();
        emit secondaryRowsChanged(visibleSecondaryCount());
    });
    for (int row = 0; row < kMaxSecondaries; ++row) {
        connect(c.TxtSec1I[row], &QLineEdit::textEdited, this,
                [this, row] { emit secondaryCurrentEdited(row); });
    }

    for (const ConstructionType &construction : kConstructionTypes) {
        const TransformerType type = construction.type;
        connect(c.typeButton(type), &QRadioButton::toggled, this, [this, type](bool checked) {
            if (checked) {
                onTypeSelected(type);
            }
        });
    }

    // Edits by the user (not by code) are announced, so that a report can be marked stale.
    for (InputField *field : findChildren<InputField *>()) {
        connect(field, &QLineEdit::textEdited, this, &CalculatorWindow::inputsEdited);
    }
    for (QRadioButton *option : c.typeOptions) {
        connect(option, &QRadioButton::clicked, this, &CalculatorWindow::inputsEdited);
    }
    connect(c.ChkLoading, &QCheckBox::clicked, this, &CalculatorWindow::inputsEdited);
    connect(this, &CalculatorWindow::inputsEdited, this, &CalculatorWindow::clearRefusal);

    connect(c.CmdCalc, &QPushButton::clicked, this, &CalculatorWindow::calculateRequested);
    connect(c.CmdClr, &QPushButton::clicked, this, &CalculatorWindow::clearRequested);
    connect(c.CmdLoadData, &QPushButton::clicked, this, &CalculatorWindow::loadRequested);
    connect(c.CmdClose, &QPushButton::clicked, this, &CalculatorWindow::closeRequested);
    connect(this, &CalculatorWindow::calculateRequested, this, &CalculatorWindow::calculate);
    connect(this, &CalculatorWindow::clearRequested, this, &CalculatorWindow::clearData);
    connect(this, &CalculatorWindow::loadRequested, this, &CalculatorWindow::loadData);
    connect(this, &CalculatorWindow::closeRequested, this, &CalculatorWindow::closeAndSave);

    // Quick help follows the mouse over the command buttons and their frame.
    for (QWidget *watched :
         {static_cast<QWidget *>(c.CmdCalc), static_cast<QWidget *>(c.CmdClr),
          static_cast<QWidget *>(c.CmdLoadData), static_cast<QWidget *>(c.CmdClose),
          static_cast<QWidget *>(c.Frame2)}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
}

bool CalculatorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (filterUsabilityEvent(watched, event)) {
        return true;
    }
    // A refusal in the help box stays until the next edit or Calculate.
    if (event->type() == QEvent::MouseMove && !m_refusalShown) {
        const WindowControls &c = *m_controls;
        const QString *help = nullptr;
        static const QString kNoHelp;
        if (watched == c.CmdCalc) {
            help = &m_helpCalculate;
        } else if (watched == c.CmdClr) {
            help = &m_helpClear;
        } else if (watched == c.CmdLoadData) {
            help = &m_helpLoad;
        } else if (watched == c.CmdClose) {
            help = &m_helpClose;
        } else if (watched == c.Frame2 &&
                   !c.Frame2->childAt(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            // Only the frame's own margin: a move over a button that the button leaves
            // unhandled reaches the frame as well.
            help = &kNoHelp;
        }
        if (help) {
            c.Txt2QuickHelp->setPlainText(*help);
        }
    }
    return QWidget::eventFilter(watched, event);
}

int CalculatorWindow::visibleSecondaryCount() const
{
    return visibleSecondaryRows(toCore(m_controls->TxtNoSec));
}

QString CalculatorWindow::secondaryCurrent(int row) const
{
    return m_controls->TxtSec1I[row]->text();
}

void CalculatorWindow::setSecondaryCurrent(int row, const QString &text)
{
    m_controls->TxtSec1I[row]->setText(text);
}

void CalculatorWindow::addReportAction(QAction *action)
{
    m_controls->ListOut->addAction(action);
}

void CalculatorWindow::updateSecondaryRows()
{
    const WindowControls &c = *m_controls;
    const int shown = visibleSecondaryCount();
    for (int k = 0; k < kMaxSecondaries; ++k) {
        const bool visible = k < shown;
        for (QWidget *control :
             {static_cast<QWidget *>(c.Text10[k]), static_cast<QWidget *>(c.Text12[k]),
              static_cast<QWidget *>(c.Text13[k]), static_cast<QWidget *>(c.Text15[k]),
              static_cast<QWidget *>(c.Text16[k]), static_cast<QWidget *>(c.Text18[k]),
              static_cast<QWidget *>(c.TxtSec1V[k]), static_cast<QWidget *>(c.TxtSec1I[k]),
              static_cast<QWidget *>(c.TxtSec1R[k])}) {
            control->setVisible(visible);
        }
    }
}

void CalculatorWindow::selectType(TransformerType type)
{
    QRadioButton *button = m_controls->typeButton(type);
    if (!button) {
        return;
    }
    // Selecting an option that is already selected raises no toggle; the handler still runs,
    // as it does for every selection.
    if (button->isChecked()) {
        onTypeSelected(type);
    } else {
        button->setChecked(true);
    }
}

void CalculatorWindow::onTypeSelected(TransformerType type)
{
    const WindowControls &c = *m_controls;
    const bool dimensionsABC = type != TransformerType::MilitaryPotted;
    c.TxtA->setVisible(dimensionsABC);
    c.TxtB->setVisible(dimensionsABC);
    c.TxtC->setVisible(dimensionsABC);

    c.Image1->setVisible(true);
    const ConstructionType *construction = constructionType(type);
    const QString fileName = QString::fromUtf8(construction ? construction->pictureFile : "");
    // Only a regular file is decoded: a named pipe in its place would block start-up.
    const QString picturePath = pictureFolder() + fileName;
    const QPixmap picture =
        isRegularFile(picturePath.toStdString())
            ? readPictureAtSize(picturePath, c.Image1->size(), c.Image1->devicePixelRatioF())
            : QPixmap();
    if (picture.isNull()) {
        // Say which picture is missing rather than keep showing the previous type's.
        c.Image1->setPixmap(QPixmap());
        c.Image1->setText(QStringLiteral("Picture not found:\n") + fileName);
    } else {
        c.Image1->setPixmap(picture);
    }
}

void CalculatorWindow::clearData()
{
    const WindowControls &c = *m_controls;
    c.TxtPriV->setText(QStringLiteral("117.0"));
    c.TxtPriR->setText(QString());
    c.TxtNoSec->setText(QStringLiteral("6"));
    for (int k = 0; k < kMaxSecondaries; ++k) {
        c.TxtSec1V[k]->setText(QString());
        c.TxtSec1I[k]->setText(QString());
        c.TxtSec1R[k]->setText(QString());
    }
    for (QLineEdit *field : {c.TxtX, c.TxtY, c.TxtZ, c.TxtA, c.TxtB, c.TxtC}) {
        field->setText(QString());
    }
    // An exclusive group never lets its last option go; lift that while every option is
    // cleared, so that no type is selected afterwards.
    c.typeGroup->setExclusive(false);
    for (QRadioButton *option : c.typeOptions) {
        option->setChecked(false);
    }
    c.typeGroup->setExclusive(true);
    c.ListOut->clear();
    c.Image1->setVisible(false);
    emit inputsEdited(); // the inputs were replaced by the user's choice
}

void CalculatorWindow::calculate()
{
    const WindowControls &c = *m_controls;
    Evaluation evaluation = ferrolux::evaluate(design(), m_limits);
    if (evaluation.ok()) {
        c.ListOut->clear();
        for (const std::string &line : evaluation.reportLines) {
            c.ListOut->addItem(QString::fromStdString(line));
        }
        m_evaluation = std::move(evaluation);
        // A new report opens at its first line, whatever part of the old one was in view.
        c.ListOut->scrollToTop();
        clearRefusal();
        emit calculated();
        return;
    }

    // A refused calculation never touches the report, so what it shows is never stale.
    const Refusal &refusal = *evaluation.refusal;
    if (refusal.kind == RefusalKind::Dimensions) {
        m_message(QStringLiteral("Ferrolux"), QString::fromStdString(refusal.message));
        return;
    }
    showRefusal(QString::fromStdString(refusal.message));
    const QString fieldName = refusedFieldName(refusal.field, refusal.row);
    if (!fieldName.isEmpty()) {
        if (auto *field = findChild<QWidget *>(fieldName)) {
            field->setFocus(Qt::OtherFocusReason);
        }
    }
}

void CalculatorWindow::showRefusal(const QString &message)
{
    m_controls->Txt2QuickHelp->setPlainText(message);
    m_refusalShown = true;
    emit refusalShown();
}

void CalculatorWindow::clearRefusal()
{
    if (m_refusalShown) {
        m_refusalShown = false;
        m_controls->Txt2QuickHelp->clear();
    }
}

} // namespace ferrolux
