// A monkey on the calculator window: thousands of random actions from a fixed seed (typing
// random text into random fields, clicking the type options, the check box, Calculate, Clear
// Data, Load and Close with its quit held back), with the window's promises checked after
// every one of them:
//   - the visible secondary rows follow the count rule for the count field's text;
//   - A, B and C are hidden exactly while the potted type was the last one selected;
//   - the report list is unchanged, or empty after Clear Data, or after Calculate the complete
//     5 n + 10-line report that the analysis gives for the fields as they stand;
//   - Calculate changes no input field, no type option and not the check box.
// FERROLUX_MONKEY_ACTIONS and FERROLUX_MONKEY_SEED change the number of actions and the seed
// for a longer or different run.

#include "analysis.h"
#include "last_run_file.h"
#include "number_text.h"
#include "report.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <variant>

namespace ferrolux::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kDefaultActions = 3000; // the sanitizers make every action a few times slower
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kDefaultActions = 3000;
#else
constexpr int kDefaultActions = 5000;
#endif
#else
constexpr int kDefaultActions = 5000;
#endif

int fromEnvironment(const char *name, int fallback)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

// What the window shows, as far as the invariants need it.
struct Snapshot
{
    QStringList fields;
    QStringList types;
    Qt::CheckState loading = Qt::Unchecked;
    std::vector<std::string> report;

    bool inputsEqual(const Snapshot &other) const
    {
        return fields == other.fields && types == other.types && loading == other.loading;
    }
};

// How often each outcome came up, so that a run that never reached a part of the window is
// noticed rather than passing for free.
struct Tally
{
    int reports = 0;
    int refusals = 0;
    int dimensionMessages = 0;
    int loads = 0;
    int closes = 0;
    int clears = 0;
    int pottedSelections = 0;
};

class Monkey
{
public:
    Monkey(WindowUnderTest &window, const ProgramFolder &folder, unsigned seed)
        : m_window(window), m_folder(folder), m_random(seed)
    {
    }

    const Tally &tally() const { return m_tally; }

    void run(int actions)
    {
        for (int i = 0; i < actions && !::testing::Test::HasFailure(); ++i) {
            const Snapshot before = snapshot();
            const int kind = pick(100);
            if (kind < 50) {
                typeIntoAField();
            } else if (kind < 62) {
                clickType();
            } else if (kind < 68) {
                click(QStringLiteral("ChkLoading"), "check box");
            } else if (kind < 88) {
                calculate(before);
                continue;
            } else if (kind < 91) {
                clearData();
            } else if (kind < 99) {
                load();
            } else {
                close();
            }
            checkRowsAndDimensions();
            if (m_expectReportCleared) {
                EXPECT_TRUE(m_window.reportLines().empty()) << trail();
                m_expectReportCleared = false;
            } else {
                EXPECT_EQ(m_window.reportLines(), before.report) << trail();
            }
        }
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    void note(std::string action)
    {
        m_trail.push_back(std::move(action));
        if (m_trail.size() > 25) {
            m_trail.pop_front();
        }
    }

    std::string trail() const
    {
        std::string text = "\nLast actions, oldest first:";
        for (const std::string &action : m_trail) {
            text += "\n  " + action;
        }
        return text;
    }

    Snapshot snapshot() const
    {
        Snapshot s;
        for (const QString &name : inputFieldNames()) {
            s.fields << m_window.text(name);
        }
        s.types = m_window.checkedTypes();
        s.loading = m_window.child<QCheckBox>(QStringLiteral("ChkLoading"))->checkState();
        s.report = m_window.reportLines();
        return s;
    }

    // A value as a user would enter it: mostly ordinary magnitudes in plain or exponent
    // notation, sometimes zero (an unknown current) or negative.
    QString plausibleNumber()
    {
        if (pick(8) == 0) {
            return QStringLiteral("0");
        }
        const double magnitude = std::pow(10.0, std::uniform_real_distribution<>(-2, 3)(m_random));
        const double value = pick(12) == 0 ? -magnitude : magnitude;
        return pick(4) == 0 ? QString::number(value, 'e', pick(4))
                            : QString::number(value, 'f', pick(4));
    }

    // Random text of the kinds users type, paste or fumble: numbers in every notation,
    // separators, words, blanks, quotes, commas, text beyond Latin-1, and now and then
    // something long.
    QString randomText()
    {
        if (pick(2) == 0) {
            return plausibleNumber();
        }
        static const QString pieces[] = {"0",          "1",     "2",      "3",      "5",
                                         "6",          "7",     "9",      ".",      "-",
                                         "+",          "e",     "E",      "e-3",    "e+6",
                                         " ",          "\t",    ",",      "\"",     "abc",
                                         "x",          "1e400", "-1e400", "2.5",    "3.5",
                                         "65536",      "-0",    "\u00e9", "\u03a9", "\u4e2d\u6587",
                                         "\U0001F50C", "117",   "0.001"};
        QString text;
        const int count = pick(10) == 0 ? 40 + pick(80) : pick(6);
        for (int i = 0; i < count; ++i) {
            text += pieces[pick(static_cast<int>(std::size(pieces)))];
        }
        return text;
    }

    // Types `text` as keystrokes; characters beyond Latin-1 arrive as an input method commit,
    // as they do from a real keyboard layout or input method.
    static void typeText(QLineEdit *field, const QString &text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.unicode() < 0x80) {
                QTest::keyClick(field, c.toLatin1());
            } else {
                QInputMethodEvent commit;
                const qsizetype length = c.isHighSurrogate() ? 2 : 1;
                commit.setCommitString(text.mid(i, length));
                QApplication::sendEvent(field, &commit);
                i += length - 1;
            }
        }
    }

    void typeIntoAField()
    {
        QList<QLineEdit *> shown;
        for (const QString &name : inputFieldNames()) {
            QLineEdit *field = m_window.child<QLineEdit>(name);
            if (field->isVisible()) {
                shown << field;
            }
        }
        if (shown.isEmpty()) {
            return;
        }
        QLineEdit *field = shown[pick(static_cast<int>(shown.size()))];
        const QString text = randomText();
        switch (pick(4)) {
        case 0: // click into it (which selects the entry) and type over it
            QTest::mouseClick(field, Qt::LeftButton);
            typeText(field, text);
            note("click " + field->objectName().toStdString() + ", type \"" + text.toStdString() +
                 "\"");
            break;
        case 1: // add to the end
            field->setFocus();
            QTest::keyClick(field, Qt::Key_End);
            typeText(field, text);
            note("append \"" + text.toStdString() + "\" to " + field->objectName().toStdString());
            break;
        case 2: // rub some out
            field->setFocus();
            for (int i = pick(4); i >= 0; --i) {
                QTest::keyClick(field, pick(2) ? Qt::Key_Backspace : Qt::Key_Delete);
            }
            note("erase in " + field->objectName().toStdString());
            break;
        default: // paste over everything
            field->setFocus();
            field->selectAll();
            field->insert(text);
            note("paste \"" + text.toStdString() + "\" into " + field->objectName().toStdString());
            break;
        }
    }

    void click(const QString &name, const std::string &what)
    {
        note("click " + what);
        m_window.click(name);
    }

    void clickType()
    {
        static const char *const names[] = {"OpType1", "OpType2", "OpType3", "OpMil"};
        const int chosen = pick(4);
        click(QString::fromLatin1(names[chosen]), names[chosen]);
        m_pottedLast = chosen == 3;
        m_tally.pottedSelections += m_pottedLast ? 1 : 0;
    }

    AnalysisInput inputFromFields() const
    {
        const auto text = [this](const QString &name) { return m_window.text(name).toStdString(); };
        AnalysisInput input;
        input.primaryVoltage = text("TxtPriV");
        input.primaryResistance = text("TxtPriR");
        input.secondaryCount = text("TxtNoSec");
        for (int k = 0; k < 6; ++k) {
            input.secondaries[static_cast<std::size_t>(k)] = {text(member("TxtSec1V", k)),
                                                              text(member("TxtSec1R", k)),
                                                              text(member("TxtSec1I", k))};
        }
        input.x = text("TxtX");
        input.y = text("TxtY");
        input.z = text("TxtZ");
        input.a = text("TxtA");
        input.b = text("TxtB");
        input.c = text("TxtC");
        input.potted = m_window.child<QRadioButton>(QStringLiteral("OpMil"))->isChecked();
        input.correctForLoading =
            m_window.child<QCheckBox>(QStringLiteral("ChkLoading"))->checkState() == Qt::Checked;
        input.plateLimit = m_window->OCPPDis;
        input.filamentLimit = m_window->OCFPDis;
        return input;
    }

    void calculate(const Snapshot &before)
    {
        const AnalysisOutcome expected = analyseTransformer(inputFromFields());
        const std::size_t messages = m_window.messages.size();
        click(QStringLiteral("CmdCalc"), "Calculate");

        const Snapshot after = snapshot();
        EXPECT_TRUE(after.inputsEqual(before)) << "Calculate changed an input" << trail();
        if (const auto *result = std::get_if<AnalysisResult>(&expected)) {
            const std::size_t n = result->secondaries.size();
            EXPECT_EQ(after.report.size(), 5 * n + 10) << trail();
            EXPECT_EQ(after.report, buildReport(*result)) << trail();
            ++m_tally.reports;
        } else {
            ++m_tally.refusals;
            EXPECT_EQ(after.report, before.report)
                << "a refused Calculate changed the report" << trail();
            const bool dimensions = std::get<Refusal>(expected).kind == RefusalKind::Dimensions;
            EXPECT_EQ(m_window.messages.size(), messages + (dimensions ? 1 : 0)) << trail();
            m_tally.dimensionMessages += dimensions ? 1 : 0;
        }
        checkRowsAndDimensions();
    }

    void clearData()
    {
        click(QStringLiteral("CmdClr"), "Clear Data");
        m_expectReportCleared = true;
        ++m_tally.clears;
        EXPECT_TRUE(m_window.checkedTypes().isEmpty()) << trail();
    }

    void load()
    {
        // Half the time the folder gets the worked example back first, so that the run keeps
        // returning to inputs that calculate instead of drifting into a cleared form.
        if (pick(2) == 0) {
            m_folder.writeExample();
            note("the worked example is put back");
        }
        // The type the file will select, if it gets that far.
        std::ifstream in(m_folder.file(kLastRunFileName), std::ios::binary);
        const LastRunLoad file = readLastRun(in);
        click(QStringLiteral("CmdLoadData"), "Load");
        ++m_tally.loads;
        const int type = file.hasTypeCode() ? file.values.typeCode : 0;
        if (type >= 1 && type <= 4) {
            m_pottedLast = type == 4;
        }
    }

    void close()
    {
        const std::size_t quits = m_window.quitCodes.size();
        click(QStringLiteral("CmdClose"), "Close");
        ++m_tally.closes;
        EXPECT_EQ(m_window.quitCodes.size(), quits + 1) << trail();
        // Whatever the fields held, the saved file reads back whole.
        std::ifstream in(m_folder.file(kLastRunFileName), std::ios::binary);
        const LastRunLoad file = readLastRun(in);
        EXPECT_TRUE(file.complete()) << file.failure << trail();
    }

    // The rows the count rule gives: the count text rounded half to even, clamped to 0..6; a
    // count too large for a number goes by its sign.
    int expectedRows() const
    {
        const std::string count = m_window.text(QStringLiteral("TxtNoSec")).toStdString();
        const std::optional<double> value = textToNumber(count);
        if (!value) {
            const auto first = count.find_first_not_of(" \t");
            return first != std::string::npos && count[first] == '-' ? 0 : 6;
        }
        return static_cast<int>(std::clamp(std::nearbyint(*value), 0.0, 6.0));
    }

    void checkRowsAndDimensions()
    {
        EXPECT_EQ(m_window.visibleRows(), expectedRows()) << trail();
        for (const char *name : {"TxtA", "TxtB", "TxtC"}) {
            EXPECT_EQ(m_window.child(QString::fromLatin1(name))->isHidden(), m_pottedLast)
                << name << trail();
        }
    }

    WindowUnderTest &m_window;
    const ProgramFolder &m_folder;
    std::mt19937 m_random;
    std::deque<std::string> m_trail;
    bool m_pottedLast = false; // the worked example selects "Shielded Sub Mount"
    bool m_expectReportCleared = false;
    Tally m_tally;
};

TEST(Form16Monkey, RandomActionsKeepEveryInvariant)
{
    ProgramFolder folder;
    folder.writeExample(true);
    WindowUnderTest window(folder);
    window->Form_Load();
    window.showActive();

    const int actions = fromEnvironment("FERROLUX_MONKEY_ACTIONS", kDefaultActions);
    const auto seed = static_cast<unsigned>(fromEnvironment("FERROLUX_MONKEY_SEED", 20240611));
    Monkey monkey(window, folder, seed);
    monkey.run(actions);

    const Tally &t = monkey.tally();
    std::cout << "[ MONKEY   ] " << actions << " actions, seed " << seed << ": " << t.reports
              << " reports, " << t.refusals << " refused calculations (" << t.dimensionMessages
              << " dimension messages), " << t.clears << " clears, " << t.loads << " loads, "
              << t.closes << " closes, " << t.pottedSelections << " potted selections\n";
    if (actions >= 1000) {
        for (const int count : {t.reports, t.refusals, t.dimensionMessages, t.clears, t.loads,
                                t.closes, t.pottedSelections}) {
            EXPECT_GT(count, 0) << "a run this long should reach every outcome";
        }
    }
    for (const int code : window.quitCodes) {
        EXPECT_EQ(code, 0);
    }
}

} // namespace
} // namespace ferrolux::testing
