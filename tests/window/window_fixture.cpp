#include "window_fixture.h"

namespace ferrolux::testing {

void ProgramFolder::write(const char *name, const std::string &bytes) const
{
    ASSERT_TRUE(testing_support::writeBytes(file(name), bytes)) << name;
}

ProgramFolder::ProgramFolder(Contents contents)
{
    if (contents != Empty) {
        write(kLastRunFileName, exampleLastRunFileBytes());
        write(kConstantsFileName, defaultConstantsFileBytes());
    }
    const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::gray};
    for (int n = 1; contents == Pictures && n <= 4; ++n) {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(colours[n - 1]);
        EXPECT_TRUE(picture.save(path() + QStringLiteral("Transformer-%1.jpg").arg(n), "JPG"));
    }
}

WindowUnderTest::WindowUnderTest(const ProgramFolder &folder) : WindowUnderTest(folder.path()) {}

WindowUnderTest::WindowUnderTest(const QString &folder)
    : form(std::make_unique<CalculatorWindow>(folder))
{
    form->setQuitFunction([this](int code) { quitCodes.push_back(code); });
    form->setMessageFunction(
        [this](const QString &title, const QString &text) { messages.emplace_back(title, text); });
    form->setQuestionFunction([this](const QString &, const QString &text) {
        questions.push_back(text);
        return answerYes;
    });
}

QStringList WindowUnderTest::fieldTexts() const
{
    QStringList texts;
    for (const QString &name : inputFieldNames()) {
        texts << text(name);
    }
    return texts;
}

QStringList WindowUnderTest::checkedTypes() const
{
    QStringList checked;
    for (const char *name : {"OpType1", "OpType2", "OpType3", "OpMil"}) {
        if (child<QRadioButton>(name)->isChecked()) {
            checked << name;
        }
    }
    return checked;
}

void WindowUnderTest::moveOver(const QString &name, QPoint at) const
{
    QWidget *target = child(name);
    QTest::mouseMove(form->windowHandle(),
                     target->mapTo(form.get(), at.x() < 0 ? target->rect().center() : at));
}

int WindowUnderTest::visibleRows() const
{
    static const char *const kRowFamilies[] = {"Text10",   "Text12",   "Text13",
                                               "Text15",   "Text16",   "Text18",
                                               "TxtSec1V", "TxtSec1I", "TxtSec1R"};
    int rows = 0;
    for (int k = 0; k < 6; ++k) {
        int shown = 0;
        for (const char *family : kRowFamilies) {
            shown += child(member(family, k))->isHidden() ? 0 : 1;
        }
        EXPECT_TRUE(shown == 0 || shown == 9) << "row " << k << " partly shown";
        EXPECT_FALSE(shown == 9 && rows < k) << "row " << k << " shown after a hidden row";
        rows += shown == 9 ? 1 : 0;
    }
    return rows;
}

void WindowUnderTest::showActive() const
{
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

ExampleWindow::ExampleWindow()
    : ProgramFolder(Example), WindowUnderTest(static_cast<const ProgramFolder &>(*this))
{
    form->load();
    showActive();
}

MainUnderTest::MainUnderTest(const ProgramFolder &folder, const char *screen)
    : window(folder.path())
{
    for (QScreen *candidate : QGuiApplication::screens()) {
        if (candidate->name() == QLatin1String(screen)) {
            window.setScreen(candidate);
        }
    }
    window.form()->setQuitFunction([this](int code) { quitCodes.push_back(code); });
    window.form()->setMessageFunction(
        [this](const QString &, const QString &text) { messages.push_back(text); });
    actions()->setFailureMessage([this](const QString &text) { failures << text; });
    actions()->setCloseQuestion([this] {
        ++closeQuestions;
        return answer;
    });
    // A file changed on disk or a rewrite in place is asked about (tests that look at the
    // question set their own); no dialog opens in a test, and the answer is yes.
    actions()->setConfirmation([](const QString &, const QString &) { return true; });
    window.load();
}

void MainUnderTest::type(const char *name, const QString &text)
{
    auto *edit = child<QLineEdit>(QLatin1String(name));
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QString member(const char *family, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(index);
}

QStringList inputFieldNames()
{
    QStringList names{"TxtPriV", "TxtPriR", "TxtNoSec"};
    for (int k = 0; k < 6; ++k) {
        names << member("TxtSec1V", k) << member("TxtSec1I", k) << member("TxtSec1R", k);
    }
    return names << QStringList{"TxtX", "TxtY", "TxtZ", "TxtA", "TxtB", "TxtC"};
}

} // namespace ferrolux::testing
