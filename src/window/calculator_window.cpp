// The calculator window: construction, quick help, secondary rows, type selection and Clear
// Data. Calculate, the last-run file, the design as one value and the usability aids are in
// their own files.

#include "calculator_window.h"

#include "calculator_window_controls.h"
#include "calculator_window_font.h"
#include "calculator_window_widgets.h"
#include "construction_types.h"
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

} // namespace

CalculatorWindow::CalculatorWindow(QString appFolder, QWidget *parent)
    : QWidget(parent), m_appFolder(std::move(appFolder)),
      m_controls(std::make_unique<WindowControls>()), m_quit(quitAtOnce),
      m_writeLastRun(saveWithOptions)
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
    // Each input field's accessible name, so that a screen reader says what it holds.
    for (const auto &[objectName, accessibleName] : formInputNames()) {
        if (auto *field = findChild<QWidget *>(objectName)) {
            field->setAccessibleName(accessibleName);
        }
    }
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
    m_controls->primaryVoltageEdit->setFocus(Qt::OtherFocusReason);
}

QRect CalculatorWindow::messageArea() const
{
    const QWidget *help = m_controls->quickHelpBox;
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
    connect(c.secondaryCountEdit, &QLineEdit::textChanged, this, [this] {
        updateSecondaryRows();
        emit secondaryRowsChanged(visibleSecondaryCount());
    });
    for (int row = 0; row < kMaxSecondaries; ++row) {
        connect(c.secondaryCurrentEdits[row], &QLineEdit::textEdited, this,
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
    connect(c.correctForLoadingBox, &QCheckBox::clicked, this, &CalculatorWindow::inputsEdited);
    connect(this, &CalculatorWindow::inputsEdited, this, &CalculatorWindow::clearRefusal);

    connect(c.calculateButton, &QPushButton::clicked, this, &CalculatorWindow::calculateRequested);
    connect(c.clearButton, &QPushButton::clicked, this, &CalculatorWindow::clearRequested);
    connect(c.loadButton, &QPushButton::clicked, this, &CalculatorWindow::loadRequested);
    connect(c.closeButton, &QPushButton::clicked, this, &CalculatorWindow::closeRequested);
    connect(this, &CalculatorWindow::calculateRequested, this, &CalculatorWindow::calculate);
    connect(this, &CalculatorWindow::clearRequested, this, &CalculatorWindow::clearData);
    connect(this, &CalculatorWindow::loadRequested, this, &CalculatorWindow::loadData);
    connect(this, &CalculatorWindow::closeRequested, this, &CalculatorWindow::closeAndSave);

    // Quick help follows the mouse over the command buttons and their frame.
    for (QWidget *watched :
         {static_cast<QWidget *>(c.calculateButton), static_cast<QWidget *>(c.clearButton),
          static_cast<QWidget *>(c.loadButton), static_cast<QWidget *>(c.closeButton),
          static_cast<QWidget *>(c.commandFrame)}) {
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
        if (watched == c.calculateButton) {
            help = &m_helpCalculate;
        } else if (watched == c.clearButton) {
            help = &m_helpClear;
        } else if (watched == c.loadButton) {
            help = &m_helpLoad;
        } else if (watched == c.closeButton) {
            help = &m_helpClose;
        } else if (watched == c.commandFrame &&
                   !c.commandFrame->childAt(
                       static_cast<QMouseEvent *>(event)->position().toPoint())) {
            // Only the frame's own margin: a move over a button that the button leaves
            // unhandled reaches the frame as well.
            help = &kNoHelp;
        }
        if (help) {
            c.quickHelpBox->setPlainText(*help);
        }
    }
    return QWidget::eventFilter(watched, event);
}

int CalculatorWindow::visibleSecondaryCount() const
{
    return visibleSecondaryRows(toCore(m_controls->secondaryCountEdit));
}

QString CalculatorWindow::secondaryCurrent(int row) const
{
    return m_controls->secondaryCurrentEdits[row]->text();
}

void CalculatorWindow::setSecondaryCurrent(int row, const QString &text)
{
    m_controls->secondaryCurrentEdits[row]->setText(text);
}

QString CalculatorWindow::loadButtonText() const
{
    return m_controls->loadButton->text();
}

void CalculatorWindow::addReportAction(QAction *action)
{
    m_controls->reportList->addAction(action);
}

void CalculatorWindow::updateSecondaryRows()
{
    const WindowControls &c = *m_controls;
    const int shown = visibleSecondaryCount();
    for (int k = 0; k < kMaxSecondaries; ++k) {
        const bool visible = k < shown;
        for (QWidget *control : {static_cast<QWidget *>(c.secondaryVoltageCaptions[k]),
                                 static_cast<QWidget *>(c.secondaryVoltageUnits[k]),
                                 static_cast<QWidget *>(c.secondaryCurrentCaptions[k]),
                                 static_cast<QWidget *>(c.secondaryCurrentUnits[k]),
                                 static_cast<QWidget *>(c.secondaryResistanceCaptions[k]),
                                 static_cast<QWidget *>(c.secondaryResistanceUnits[k]),
                                 static_cast<QWidget *>(c.secondaryVoltageEdits[k]),
                                 static_cast<QWidget *>(c.secondaryCurrentEdits[k]),
                                 static_cast<QWidget *>(c.secondaryResistanceEdits[k])}) {
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
    c.dimensionAEdit->setVisible(dimensionsABC);
    c.dimensionBEdit->setVisible(dimensionsABC);
    c.dimensionCEdit->setVisible(dimensionsABC);

    c.typePicture->setVisible(true);
    const ConstructionType *construction = constructionType(type);
    const QString fileName = QString::fromUtf8(construction ? construction->pictureFile : "");
    // Only a regular file is decoded: a named pipe in its place would block start-up.
    const QString picturePath = pictureFolder() + fileName;
    const QPixmap picture = isRegularFile(picturePath.toStdString())
                                ? readPictureAtSize(picturePath, c.typePicture->size(),
                                                    c.typePicture->devicePixelRatioF())
                                : QPixmap();
    if (picture.isNull()) {
        // Say which picture is missing rather than keep showing the previous type's.
        c.typePicture->setPixmap(QPixmap());
        c.typePicture->setText(QStringLiteral("Picture not found:\n") + fileName);
    } else {
        c.typePicture->setPixmap(picture);
    }
}

void CalculatorWindow::clearData()
{
    const WindowControls &c = *m_controls;
    c.primaryVoltageEdit->setText(QStringLiteral("117.0"));
    c.primaryResistanceEdit->setText(QString());
    c.secondaryCountEdit->setText(QStringLiteral("6"));
    for (int k = 0; k < kMaxSecondaries; ++k) {
        c.secondaryVoltageEdits[k]->setText(QString());
        c.secondaryCurrentEdits[k]->setText(QString());
        c.secondaryResistanceEdits[k]->setText(QString());
    }
    for (QLineEdit *field : {c.dimensionXEdit, c.dimensionYEdit, c.dimensionZEdit, c.dimensionAEdit,
                             c.dimensionBEdit, c.dimensionCEdit}) {
        field->setText(QString());
    }
    // An exclusive group never lets its last option go; lift that while every option is
    // cleared, so that no type is selected afterwards.
    c.typeGroup->setExclusive(false);
    for (QRadioButton *option : c.typeOptions) {
        option->setChecked(false);
    }
    c.typeGroup->setExclusive(true);
    c.reportList->clear();
    c.typePicture->setVisible(false);
    emit inputsEdited(); // the inputs were replaced by the user's choice
}

} // namespace ferrolux
