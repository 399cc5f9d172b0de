// tintora: the editor. Answers --help and --version, or sets up the data folder, the day's log,
// the settings store and the dialogs, then shows the main window until it is closed, opening the
// theme file given on the command line once the window is up.

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/QtSettingsStore.h"
#include "preview/PreviewLayout.h"
#include "ui/PreviewPainter.h"
#include "ui/PreviewWidget.h"
#include "ui/MainWindow.h"
#include "ui/StartArguments.h"
#include "ui/WindowToolkit.h"
#include "base/Clock.h"
#include "base/Log.h"

namespace {

// For the end-to-end test: when TINTORA_TEST_GEOMETRY_FILE names a file, the screen rectangle of
// every named visible widget and of every tab is written there ("name x y width height"), after
// the window first shows and again after every change of tab, followed by "currentTab N". The
// entries of the file browser that are in view follow as "ListFiles:TEXT", blanks in TEXT as "_".
void WriteGeometry(QWidget& window, const QString& file) {
    const QString partial = file + QStringLiteral(".part");
    QFile out(partial);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QTextStream text(&out);
    const auto put = [&text](const QString& name, const QWidget& w, QRect r) {
        const QPoint at = w.mapToGlobal(r.topLeft());
        text << name << ' ' << at.x() << ' ' << at.y() << ' ' << r.width() << ' ' << r.height() << '\n';
    };
    for (const QWidget* w : window.findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && w->isVisible()) put(w->objectName(), *w, w->rect());
    // The phone screens inside the preview, named as the layout names them.
    if (const auto* preview = window.findChild<tintora::PreviewWidget*>(QStringLiteral("preview"))) {
        const int zoom = preview->Zoom();
        const auto px = [zoom](int twips) { return twips * zoom / tintora::kTwipsPerPixel; };
        for (int s = 0; s < tintora::kScreenCount; ++s) {
            const QRect r(px(tintora::ScreenLeft(s)), px(tintora::ScreenTop(s)), px(tintora::kScreenWidth),
                          px(tintora::kScreenHeight));
            put(QString::fromUtf8(tintora::kScreens[static_cast<std::size_t>(s)].name.data(),
                                  static_cast<qsizetype>(tintora::kScreens[static_cast<std::size_t>(s)].name.size())),
                *preview, r);
        }
    }
    if (const auto* list = window.findChild<QListWidget*>(QStringLiteral("ListFiles")); list && list->isVisible()) {
        for (int i = 0; i < list->count(); ++i) {
            const QRect r = list->visualItemRect(list->item(i));
            if (!list->viewport()->rect().intersects(r)) continue;
            QString entry = list->item(i)->text();
            entry.replace(QLatin1Char(' '), QLatin1Char('_'));
            put(QStringLiteral("ListFiles:") + entry, *list->viewport(), r);
        }
    }
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    if (tabs) {
        for (int i = 0; i < tabs->count(); ++i)
            put(QStringLiteral("tab_%1").arg(i), *tabs->tabBar(), tabs->tabBar()->tabRect(i));
        text << "currentTab " << tabs->currentIndex() << '\n';
    }
    text.flush();
    out.close();
    QFile::remove(file);
    QFile::rename(partial, file);  // readers never see a half-written file
}

void ReportGeometryForTests(QWidget& window) {
    const QString file = qEnvironmentVariable("TINTORA_TEST_GEOMETRY_FILE");
    if (file.isEmpty()) return;
    const auto write = [&window, file] { QTimer::singleShot(0, &window, [&window, file] { WriteGeometry(window, file); }); };
    write();
    if (auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1")))
        QObject::connect(tabs, &QTabWidget::currentChanged, &window, write);
}


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
    ReportGeometryForTests(window);  // after the file's folder is listed
    return app.exec();
}
