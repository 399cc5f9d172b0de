// tintora: the editor. Sets up the data folder, the day's log, the settings store and the
// dialogs, then shows the main window until it is closed.

#include <QApplication>

#include <filesystem>
#include <system_error>

#include "platform/QtSettingsStore.h"
#include "ui/MainWindow.h"
#include "ui/WindowToolkit.h"
#include "workspace/Clock.h"
#include "workspace/Log.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintora"));
    QApplication::setOrganizationName(QStringLiteral("Tintora"));

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
    return app.exec();
}
