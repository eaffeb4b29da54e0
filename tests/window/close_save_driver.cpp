// A calculator window run as its own process for the test that kills it during Close:
// opens the window on a program folder, types a primary voltage and presses Close. The save
// waits the given number of microseconds between writing the new file and putting it in
// place. Exits with Close's status.
//
//   close_save_driver <program folder ending in '/'> <primary voltage> <delay in microseconds>

#include "calculator_window.h"
#include "file_helpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: close_save_driver FOLDER VOLTAGE DELAY_US\n");
        return 2;
    }
    QApplication app(argc, argv);
    const long delay = std::strtol(argv[3], nullptr, 10);
    ferrolux::CalculatorWindow window(QString::fromLocal8Bit(argv[1]));
    int status = -1;
    window.setQuitFunction([&status](int code) { status = code; });
    window.setMessageFunction([](const QString &, const QString &) {});
    window.setQuestionFunction([](const QString &, const QString &) { return false; });
    window.setLastRunWriter(
        [delay](const std::string &path, std::string_view bytes, ferrolux::SaveOptions options) {
            options.beforeReplace = [delay] {
                std::this_thread::sleep_for(std::chrono::microseconds(delay));
            };
            return ferrolux::saveFile(path, bytes, options);
        });
    window.load();
    window.findChild<QLineEdit *>(QStringLiteral("TxtPriV"))
        ->setText(QString::fromLocal8Bit(argv[2]));
    window.findChild<QPushButton *>(QStringLiteral("CmdClose"))->click();
    return status;
}
