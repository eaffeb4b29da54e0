#include "window_fixture.h"

#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <fstream>
#include <iterator>

namespace ferrolux::testing {

ProgramFolder::ProgramFolder()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString ProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

std::string ProgramFolder::file(const char *name) const
{
    return (path() + QString::fromUtf8(name)).toStdString();
}

void ProgramFolder::write(const char *name, const std::string &bytes) const
{
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << name;
}

std::string ProgramFolder::read(const char *name) const
{
    std::ifstream in(file(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ProgramFolder::exists(const char *name) const
{
    return QFile::exists(QString::fromStdString(file(name)));
}

void ProgramFolder::writeExample() const
{
    write(kLastRunFileName, exampleLastRunFileBytes());
    write(kConstantsFileName, defaultConstantsFileBytes());
}

void ProgramFolder::writePictures() const
{
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::gray};
    for (int n = 1; n <= 4; ++n) {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(colours[n - 1]);
        const QString name = path() + QStringLiteral("Transformer-%1.jpg").arg(n);
        ASSERT_TRUE(picture.save(name, "JPG")) << name.toStdString();
    }
}

WindowUnderTest::WindowUnderTest(const ProgramFolder &folder)
    : form(std::make_unique<Form16>(folder.path()))
{
    form->setQuitFunction([this](int code) { quitCodes.push_back(code); });
    form->setMessageFunction(
        [this](const QString &title, const QString &text) { messages.emplace_back(title, text); });
}

QLineEdit *WindowUnderTest::field(const QString &name) const
{
    return child<QLineEdit>(name);
}

QString WindowUnderTest::text(const QString &name) const
{
    QLineEdit *found = field(name);
    return found ? found->text() : QString();
}

void WindowUnderTest::setText(const QString &name, const QString &value) const
{
    if (QLineEdit *found = field(name)) {
        found->setText(value);
    }
}

std::vector<std::string> WindowUnderTest::reportLines() const
{
    std::vector<std::string> lines;
    if (auto *list = child<QListWidget>(QStringLiteral("ListOut"))) {
        for (int row = 0; row < list->count(); ++row) {
            lines.push_back(list->item(row)->text().toStdString());
        }
    }
    return lines;
}

void WindowUnderTest::showActive() const
{
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

AnalysisInput exampleAnalysisInput()
{
    const LastRun run = exampleLastRun();
    AnalysisInput input;
    input.primaryVoltage = run.primaryVoltage;
    input.primaryResistance = run.primaryResistance;
    input.secondaryCount = run.secondaryCount;
    input.secondaries = run.secondaries;
    input.x = run.x;
    input.y = run.y;
    input.z = run.z;
    input.a = run.a;
    input.b = run.b;
    input.c = run.c;
    input.potted = false;
    input.correctForLoading = true;
    input.plateLimit = 2.5;
    input.filamentLimit = 4.5;
    return input;
}

std::vector<std::string> records(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

QString member(const char *family, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(index);
}

int visibleRows(const WindowUnderTest &window)
{
    static const char *const kRowFamilies[] = {"Text10",   "Text12",   "Text13",
                                               "Text15",   "Text16",   "Text18",
                                               "TxtSec1V", "TxtSec1I", "TxtSec1R"};
    int rows = 0;
    bool hiddenRowSeen = false;
    for (int k = 0; k < 6; ++k) {
        int shown = 0;
        for (const char *family : kRowFamilies) {
            if (auto *control = window.child<QWidget>(member(family, k))) {
                shown += control->isHidden() ? 0 : 1;
            }
        }
        EXPECT_TRUE(shown == 0 || shown == 9) << "row " << k << " partly shown";
        if (shown == 9) {
            EXPECT_FALSE(hiddenRowSeen) << "row " << k << " shown after a hidden row";
            ++rows;
        } else {
            hiddenRowSeen = true;
        }
    }
    return rows;
}

} // namespace ferrolux::testing
