// tintora: the editor. Answers --help and --version, or sets up the data folder, the day's log,
// the settings store and the dialogs, then shows the main window until it is closed, opening the
// theme file given on the command line once the window is up.

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/QtSettingsStore.h"
#include "ui/MainWindow.h"
#include "ui/StartArguments.h"
#include "ui/WindowToolkit.h"
#include "base/Clock.h"
#include "base/Log.h"

namespace {

// The program's icon, decoded when the window system asks for it as the window is made. 128
// pixels at most: the 256 pixel picture would double the cost (about 1 ms) for no window
// manager that draws it from the window rather than from the installed icon.
QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/org.example.tintora-%1.png").arg(size), QSize(size, size));
    return icon;
}

std::vector<std::string> ArgumentsAfterProgram(const QStringList& arguments) {
    std::vector<std::string> args;
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
    return args;
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version answer without a window, so without a display.
    const tintora::StartArguments early = tintora::ReadStartArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (early.action == tintora::StartArguments::Action::Help) {
        tintora::PrintEditorHelp(std::cout);
        return 0;
    }
    if (early.action == tintora::StartArguments::Action::Version) {
        tintora::PrintEditorVersion(std::cout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintora"));
    QApplication::setOrganizationName(QStringLiteral("Tintora"));
    QApplication::setWindowIcon(ProgramIcon());
    // The desktop entry's name, so that the window system ties the window to its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tintora"));

    // Qt has taken its own options out: what is left is ours.
    const tintora::StartArguments start = tintora::ReadStartArguments(ArgumentsAfterProgram(QApplication::arguments()));
    if (start.action == tintora::StartArguments::Action::Usage) {
        std::cerr << "tintora: " << start.problem << " (see tintora --help)\n";
        return 2;
    }

    const std::filesystem::path dataFolder = tintora::DataFolder();
    std::error_code ec;
    std::filesystem::create_directories(dataFolder, ec);  // a log that cannot be written is lost

    const tintora::SystemClock clock;
    tintora::WindowToolkit toolkit;
    tintora::Log log(tintora::MakeLogPath(dataFolder, clock.DateText(clock.Now())), clock, &toolkit);
    tintora::QtSettingsStore store;

    tintora::MainWindow window(toolkit, store, log, dataFolder);
    toolkit.SetParentWindow(&window);
    window.show();
    // A file given to the editor opens once the window is up, so that a message about it has
    // the window to sit on.
    if (!start.file.empty()) {
        const QString file = QString::fromStdString(start.file);
        QTimer::singleShot(0, &window, [&window, file] { window.OpenThemeFile(file); });
    }
    return app.exec();
}
