// The yardstick for the calculator's start-up: the smallest Qt Widgets program with a window
// that shows text, built like the calculator and measured the same way. The window has the
// calculator's design client size (11700 x 7920 twips at the screen's logical DPI), so that
// both programs paint the same area; a list box fills it and holds one line of text, so the
// yardstick pays the font set-up that any window with text pays. With --empty the list box
// stays empty and no character is drawn: the difference shows what drawing any text costs.

#include <QApplication>
#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    auto *layout = new QVBoxLayout(&window);
    auto *list = new QListWidget(&window);
    if (argc < 2 || std::strcmp(argv[1], "--empty") != 0) {
        list->addItem(QStringLiteral("        Primary Voltage = 117.0     Volts"));
    }
    layout->addWidget(list);
    constexpr double kTwipsPerInch = 1440.0;
    window.resize(static_cast<int>(11700 * window.logicalDpiX() / kTwipsPerInch),
                  static_cast<int>(7920 * window.logicalDpiY() / kTwipsPerInch));
    window.show();
    return app.exec();
}
