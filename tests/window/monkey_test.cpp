// A monkey on the calculator window: thousands of random actions from a fixed seed (typing
// random text into random fields, clicking the type options, the check box, Calculate, Clear
// Data and Load), with the window's promises checked after every one of them:
//   - the visible secondary rows follow the count rule for the count field's text;
//   - A, B and C are hidden exactly while the potted type was the last one selected;
//   - the report list is unchanged, or empty after Clear Data, or after Calculate a complete
//     report of 5 n + 10 lines for the n secondaries shown;
//   - Calculate changes no input field, no type option and not the check box.
// FERROLUX_MONKEY_ACTIONS and FERROLUX_MONKEY_SEED change the number of actions and the seed
// for a longer or different run.

#include "number_text.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <random>

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

class Monkey
{
public:
    Monkey(WindowUnderTest &window, unsigned seed) : m_window(window), m_random(seed) {}

    int reports = 0; // Calculates that wrote a new report

    void act()
    {
        const std::vector<std::string> reportBefore = m_window.reportLines();
        const QStringList inputsBefore = inputs();
        const int kind = pick(100);
        if (kind < 50) {
            typeIntoAField();
        } else if (kind < 62) {
            const int type = pick(4);
            click(QStringList{"OpType1", "OpType2", "OpType3", "OpMil"}[type]);
            m_pottedLast = type == 3;
        } else if (kind < 68) {
            click("ChkLoading");
        } else if (kind < 88) {
            click("CmdCalc");
            EXPECT_EQ(inputs(), inputsBefore) << "Calculate changed an input" << trail();
        } else if (kind < 92) {
            click("CmdClr");
        } else {
            click("CmdLoadData");
            m_pottedLast = false; // the folder holds the worked example, "Shielded Sub Mount"
        }

        const int rows = m_window.visibleRows();
        EXPECT_EQ(rows, expectedRows()) << trail();
        for (const char *name : {"TxtA", "TxtB", "TxtC"}) {
            EXPECT_EQ(m_window.child(name)->isHidden(), m_pottedLast) << name << trail();
        }
        const std::vector<std::string> report = m_window.reportLines();
        if (m_trail.last() == "CmdClr") {
            EXPECT_TRUE(report.empty()) << trail();
        } else if (report != reportBefore) {
            EXPECT_EQ(m_trail.last(), "CmdCalc") << trail();
            EXPECT_EQ(report.size(), 5 * static_cast<std::size_t>(rows) + 10) << trail();
            ++reports;
        }
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    void note(const QString &action)
    {
        m_trail << action;
        if (m_trail.size() > 8) {
            m_trail.removeFirst();
        }
    }

    std::string trail() const { return "\nLast actions: " + m_trail.join(" | ").toStdString(); }

    void click(const QString &name)
    {
        note(name);
        m_window.click(name);
    }

    QStringList inputs() const
    {
        const Qt::CheckState loading = m_window.child<QCheckBox>("ChkLoading")->checkState();
        return m_window.fieldTexts() + m_window.checkedTypes()
               << QString::number(static_cast<int>(loading));
    }

    // Mostly numbers as a user would enter them, so that many calculations succeed; otherwise
    // pieces of what users type or fumble, backspaces among them, now and then something long.
    QString randomText()
    {
        if (pick(2) == 0) {
            const double magnitude =
                std::pow(10.0, std::uniform_real_distribution<>(-2, 3)(m_random));
            const double value = pick(8) == 0 ? 0 : pick(12) == 0 ? -magnitude : magnitude;
            return QString::number(value, pick(4) == 0 ? 'e' : 'f', pick(4));
        }
        static const QString pieces[] = {
            "0",   "1",   "2",     "5",  "7",      ".",      "-",      "+",         "e",
            "e-3", "E+6", " ",     "\t", ",",      "\"",     "abc",    "1e400",     "-1e400",
            "2.5", "3.5", "65536", "\b", "\b\b\b", "\u00e9", "\u03a9", "\U0001F50C"};
        QString text;
        for (int i = pick(10) == 0 ? 40 + pick(80) : pick(6); i > 0; --i) {
            text += pieces[pick(static_cast<int>(std::size(pieces)))];
        }
        return text;
    }

    // Clicks into a shown field (which selects its entry) or moves to its end, then types as
    // keystrokes. Characters beyond ASCII arrive as an input method commit, as they do from a
    // keyboard layout or input method.
    void typeIntoAField()
    {
        QList<QLineEdit *> shown;
        for (const QString &name : inputFieldNames()) {
            if (auto *field = m_window.child<QLineEdit>(name); field->isVisible()) {
                shown << field;
            }
        }
        // The count field gets a fair share, as every text in it must give the right rows.
        QLineEdit *field = pick(4) == 0 ? m_window.child<QLineEdit>("TxtNoSec")
                                        : shown[pick(static_cast<int>(shown.size()))];
        const QString text = randomText();
        const bool append = pick(2) == 0;
        note((append ? "append to " : "click ") + field->objectName() + " \"" + text + "\"");
        if (append) {
            field->setFocus();
            QTest::keyClick(field, Qt::Key_End);
        } else {
            QTest::mouseClick(field, Qt::LeftButton);
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].unicode() < 0x80) {
                QTest::keyClick(field, text[i].toLatin1());
            } else {
                QInputMethodEvent commit;
                const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
                commit.setCommitString(text.mid(i, length));
                QApplication::sendEvent(field, &commit);
                i += length - 1;
            }
        }
    }

    // The count text rounded half to even, clamped to 0..6; a count too large for a number
    // goes by its sign.
    int expectedRows() const
    {
        const std::string count = m_window.text("TxtNoSec").toStdString();
        if (const std::optional<double> value = textToNumber(count)) {
            return static_cast<int>(std::clamp(std::nearbyint(*value), 0.0, 6.0));
        }
        return count[count.find_first_not_of(" \t")] == '-' ? 0 : 6;
    }

    WindowUnderTest &m_window;
    std::mt19937 m_random;
    QStringList m_trail{"start"};
    bool m_pottedLast = false; // the worked example selects "Shielded Sub Mount"
};

TEST(CalculatorWindowMonkey, RandomActionsKeepEveryInvariant)
{
    ProgramFolder folder;
    folder.writeExample(true);
    WindowUnderTest window(folder);
    window->load();
    window.showActive();

    const int actions = fromEnvironment("FERROLUX_MONKEY_ACTIONS", kDefaultActions);
    const auto seed = static_cast<unsigned>(fromEnvironment("FERROLUX_MONKEY_SEED", 20240611));
    Monkey monkey(window, seed);
    for (int i = 0; i < actions && !HasFailure(); ++i) {
        monkey.act();
    }
    std::cout << "[ MONKEY   ] " << actions << " actions, seed " << seed << ": " << monkey.reports
              << " new reports\n";
    // A run that never reaches a report would check the report rule for nothing.
    EXPECT_TRUE(actions < 100 || monkey.reports > 0);
}

} // namespace
} // namespace ferrolux::testing
