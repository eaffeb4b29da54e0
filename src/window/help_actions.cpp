#include "help_actions.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ferrolux {

QString aboutText(const QString &dataFolder)
{
    return QStringLiteral(
               "<h3>Ferrolux %1</h3>"
               "<p>Analysis of small mains transformers for valve equipment.</p>"
               "<p>Licence: %2</p>"
               "<p>Data folder: %3</p>"
               "<p>Engineering models behind the checks:</p><ul>"
               "<li>Temperature rise from the power loss per surface area, after McLyman's "
               "transformer and inductor design handbook</li>"
               "<li>The power law for the rise commonly used with ferrite and iron-powder core "
               "data (Amidon-style)</li>"
               "<li>A balance of natural convection in air (the laminar correlation for a "
               "vertical surface) and radiation</li>"
               "<li>Rectifier factors for the AC winding current from a transformer maker's "
               "published design guide for rectifier loads</li></ul>"
               "<p>Every formula with its assumptions is written down in engineering-checks.md, "
               "in the documentation folder (share/doc/ferrolux when installed).</p>")
        .arg(QStringLiteral(FERROLUX_APP_VERSION), QStringLiteral(FERROLUX_LICENSE),
             QDir::toNativeSeparators(dataFolder).toHtmlEscaped());
}

QString quickGuideHtml()
{
    return QStringLiteral(
        "<h2>Quick Guide</h2>"
        "<ol>"
        "<li>Type the primary voltage and winding resistance, and the number of secondaries "
        "(one to six).</li>"
        "<li>For each secondary type its voltage, load current and winding resistance. Leave a "
        "current at 0 to have it found up to the winding's dissipation limit.</li>"
        "<li>Pick the construction type and type the dimensions in centimetres as the picture "
        "marks them.</li>"
        "<li>Tick the loading box when the voltages were measured without load.</li>"
        "<li>Press Calculate (F5 or Ctrl+Return). A field that stops the calculation is named "
        "below the report.</li>"
        "</ol>"
        "<p>The check panel beside the form shows the temperature models, the margin against "
        "the insulation class and the headroom of each winding.</p>"
        "<p><b>Designs.</b> File &gt; Save Design As… keeps the inputs under a name of your "
        "choice; File &gt; Open Design… and Open Recent bring them back. The title shows the "
        "design's name and a * while it has unsaved edits.</p>"
        "<p><b>Sharing.</b> Edit &gt; Copy Report (Ctrl+C in the report) copies the report as "
        "text; Copy as Forum Post wraps it in [code] tags. File &gt; Export Report… writes "
        "text, HTML or PDF with every input, so the page is enough to redo the calculation; "
        "File &gt; Print… prints it.</p>"
        "<p><b>Close</b> saves the inputs as the last run and ends; closing by the title bar "
        "keeps the previous last run.</p>");
}

void addHelpActions(QMenu *menu, QWidget *parent, const QString &dataFolder)
{
    QAction *guide = menu->addAction(QStringLiteral("&Quick Guide"), parent, [parent] {
        QDialog dialog(parent);
        dialog.setObjectName(QStringLiteral("quickGuide"));
        dialog.setWindowTitle(QStringLiteral("Ferrolux Quick Guide"));
        auto *layout = new QVBoxLayout(&dialog);
        auto *page = new QTextBrowser(&dialog);
        page->setHtml(quickGuideHtml());
        layout->addWidget(page);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(buttons);
        dialog.resize(520, 480);
        dialog.exec();
    });
    guide->setObjectName(QStringLiteral("actionQuickGuide"));
    guide->setShortcut(QKeySequence::HelpContents);
    menu->addSeparator();
    QAction *about =
        menu->addAction(QStringLiteral("&About Ferrolux"), parent, [parent, dataFolder] {
            QMessageBox::about(parent, QStringLiteral("About Ferrolux"), aboutText(dataFolder));
        });
    about->setObjectName(QStringLiteral("actionAbout"));
}

} // namespace ferrolux
