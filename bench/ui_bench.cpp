// The editor window's speed and size, measured in one run: start-up to the first painted frame
// (from launching the program, and from its main) beside a bare main window with as many
// widgets, one complete colour change (the sixth typed character through the repaint and the
// colour rules), the default theme with all its repaints, and the peak memory. Prints medians; run it under Xvfb for real painting
// (`xvfb-run -a build/bench/ui_bench` or DISPLAY set), otherwise Qt's offscreen platform is used.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/QtToolkit.h"
#include "settings/SettingsStore.h"
#include "ui/HexBox.h"
#include "ui/MainWindow.h"
#include "base/Clock.h"
#include "base/Log.h"
#include "editor/Recovery.h"
#include "PaintWait.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QTest>

using namespace tintora;
using Timer = std::chrono::steady_clock;

namespace {

using tintora::bench::PaintCounter;
using tintora::bench::WaitForPaint;

double Milliseconds(Timer::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Workspace {
    std::filesystem::path folder;
    Workspace() {
        std::random_device rd;
        folder = std::filesystem::temp_directory_path() / ("tintora-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(folder);
    }
    ~Workspace() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

// Everything a window needs around it, as the program has it: a log file, a first start.
struct Session {
    explicit Session(const Workspace& w)
        : log(w.folder / "log.txt", clock, &toolkit) {}
    SystemClock clock;
    QtToolkit toolkit;
    MemorySettingsStore store;
    Log log;
};

// The editor's window shown, active (its keys are window shortcuts, which on a real display
// reach only the active window) and painted once.
struct ShownWindow {
    explicit ShownWindow(const Workspace& workspace)
        : session(workspace), window(session.toolkit, session.store, session.log, workspace.folder),
          painted((window.show(), window.findChild<QWidget*>(QStringLiteral("preview")))) {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) std::printf("the window did not become active\n");
        WaitForPaint(painted, 0);
    }
    Session session;
    MainWindow window;
    PaintCounter painted;
};

struct StartTimes {
    double constructed;  // the start-up steps, before the window shows
    double painted;      // the first frame on screen
    int widgets;
};

// Times are taken from `start`: now, or the start of the process.
StartTimes StartTintora(const Workspace& w, Timer::time_point start = Timer::now()) {
    Session session(w);
    auto window = std::make_unique<MainWindow>(session.toolkit, session.store, session.log, w.folder);
    const double constructed = Milliseconds(Timer::now() - start);
    PaintCounter painted(window->findChild<QWidget*>(QStringLiteral("preview")));
    window->show();
    WaitForPaint(painted, 0);
    return {constructed, Milliseconds(Timer::now() - start),
            static_cast<int>(window->findChildren<QWidget*>().size())};
}

double StartBareWindow(int widgets, Timer::time_point start = Timer::now()) {
    auto window = std::make_unique<QMainWindow>();
    auto* central = new QWidget;
    auto* grid = new QGridLayout(central);
    QLabel* last = nullptr;
    for (int i = 0; i < widgets - 1; ++i) {
        last = new QLabel(QStringLiteral("Label %1").arg(i));
        grid->addWidget(last, i / 12, i % 12);
    }
    window->setCentralWidget(central);
    PaintCounter painted(last);
    window->show();
    WaitForPaint(painted, 0);
    return Milliseconds(Timer::now() - start);
}

void Report(const char* what, const std::vector<double>& samples, const char* target) {
    std::printf("%-44s median %8.3f ms   min %8.3f   max %8.3f   (n=%zu)  %s\n", what, Median(samples),
                *std::min_element(samples.begin(), samples.end()),
                *std::max_element(samples.begin(), samples.end()), samples.size(), target);
}

// A fresh process as the user starts it: from main to the first frame of one window, the
// QApplication with its platform connection, fonts and style included. Prints those
// milliseconds and the clock reading at main, so that the parent can add the time the system
// took to load the program and its libraries.
int FirstFrameInNewProcess(Timer::time_point processStart, const std::string& which, int widgets, int argc,
                           char* argv[]) {
    Workspace workspace;
    qputenv("HOME", QByteArray::fromStdString(workspace.folder.string()));
    QApplication app(argc, argv);
    const double ms = which == "tintora" ? StartTintora(workspace, processStart).painted
                                         : StartBareWindow(widgets, processStart);
    std::printf("%.3f %lld\n", ms, static_cast<long long>(processStart.time_since_epoch().count()));
    return 0;
}

struct FirstFrame {
    double fromLaunch = 0;  // from starting the process, as the user does, to the first frame
    double fromMain = 0;    // the part of it that the program's own code runs
};

// Starts this program again in first-frame mode and reads its answer. The child is started
// directly, without a shell, so that the launch time is the program's own.
FirstFrame FirstFrameOfChild(const std::string& which, int widgets) {
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string mode = "--first-frame";
    std::string kind = which;
    std::string count = std::to_string(widgets);
    char* args[] = {self.data(), mode.data(), kind.data(), count.data(), nullptr};
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const auto launch = Timer::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    FirstFrame frame;
    FILE* answer = fdopen(out[0], "r");
    long long mainNs = 0;
    if (answer && spawned == 0 && std::fscanf(answer, "%lf %lld", &frame.fromMain, &mainNs) == 2) {
        const Timer::time_point atMain{Timer::duration(mainNs)};
        frame.fromLaunch = Milliseconds(atMain - launch) + frame.fromMain;
    }
    if (answer)
        std::fclose(answer);
    else
        close(out[0]);
    if (spawned == 0) waitpid(pid, nullptr, 0);
    return frame;
}

// Undo and redo of a colour step through their keys, each up to the painted preview; and the
// longest a keystroke in a hex box waits while the recovery file is due, with six pictures of
// 20 KB in the theme so that the copy handed to the writing thread is not trivially small.
int MeasureSafeEditing(const Workspace& workspace) {
    ShownWindow shown(workspace);
    MainWindow& window = shown.window;
    PaintCounter& painted = shown.painted;
    Editor& editor = window.GetEditor();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Bytes gif{'G', 'I', 'F', '8', '9', 'a', static_cast<std::uint8_t>(kSlots[slot].width), 0,
                  static_cast<std::uint8_t>(kSlots[slot].height), 0};
        gif.resize(20000, static_cast<std::uint8_t>(slot));
        editor.TakePicture(slot, gif, "bench");
    }
    editor.SetColour(4, "123456");
    auto* button = window.findChild<QWidget*>(QStringLiteral("cmdSafe"));
    button->setFocus();
    QCoreApplication::processEvents();

    constexpr int kSteps = 300;
    std::vector<double> undo, redo;
    for (int i = 0; i < kSteps; ++i) {
        for (auto [samples, mods] : {std::pair{&undo, Qt::KeyboardModifiers(Qt::ControlModifier)},
                                     std::pair{&redo, Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)}}) {
            const int seen = painted.count;
            const auto start = Timer::now();
            QTest::keyClick(button, Qt::Key_Z, mods);
            WaitForPaint(painted, seen);
            samples->push_back(Milliseconds(Timer::now() - start));
        }
    }
    Report("undo of a colour step (Ctrl+Z to painted)", undo, "(target < 2 ms)");
    Report("redo of a colour step (Ctrl+Shift+Z)", redo, "(target < 2 ms)");

    // Keys typed into a box, each handled with every event it leaves, the recovery write
    // included whenever it is due: every fifth key it is made due at once.
    auto* box = window.findChild<HexBox*>(QStringLiteral("txtColor_4"));
    box->setFocus();
    constexpr int kKeys = 600;
    std::vector<double> keys, dueKeys, handOver;
    for (int i = 0; i < kKeys; ++i) {
        if (i % 6 == 0) QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        const auto start = Timer::now();
        QTest::keyClick(box, static_cast<Qt::Key>(Qt::Key_0 + i % 10));
        if (i % 5 == 0) {
            const auto due = Timer::now();
            window.WriteRecoveryNow();
            handOver.push_back(Milliseconds(Timer::now() - due));
        }
        QCoreApplication::processEvents();
        const double ms = Milliseconds(Timer::now() - start);
        (i % 5 == 0 ? dueKeys : keys).push_back(ms);
    }
    window.Recovery().Flush();
    Report("keystroke, recovery write not due", keys, "");
    Report("keystroke with the recovery write due", dueKeys, "(target: max < 5 ms)");
    Report("  of which handing the theme to the writer", handOver, "");
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto processStart = Timer::now();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::string(argv[1]) == "--first-frame")
        return FirstFrameInNewProcess(processStart, argv[2], std::atoi(argv[3]), argc, argv);
    // --editing measures only the editing steps, without the start-up runs.
    const bool editingOnly = argc == 2 && std::string(argv[1]) == "--editing";
    Workspace workspace;
    qputenv("HOME", QByteArray::fromStdString(workspace.folder.string()));  // a small browse folder
    QApplication app(argc, argv);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    if (editingOnly) return MeasureSafeEditing(workspace);

    constexpr int kStarts = 31;
    const int widgets = StartTintora(workspace).widgets;  // warm-up: fonts, plug-ins, style
    StartBareWindow(widgets);
    std::vector<double> tintora, constructed, bare;
    for (int i = 0; i < kStarts; ++i) {  // alternated so that both see the same machine
        const StartTimes t = StartTintora(workspace);
        tintora.push_back(t.painted);
        constructed.push_back(t.constructed);
        bare.push_back(StartBareWindow(widgets));
    }
    std::printf("widgets in the window: %d\n", widgets);
    Report("start-up steps before showing, tintora", constructed, "");
    Report("start-up to first frame, tintora", tintora, "");
    Report("start-up to first frame, bare QMainWindow", bare, "");
    std::printf("%-44s %8.2f x\n", "ratio of the medians (warm, in this process)", Median(tintora) / Median(bare));

    // A single start varies by several milliseconds, so many are taken. One pair first, not
    // counted, brings both starts' files into the page cache; then the two alternate, and each
    // goes first in every other pair so that neither always follows the other. Start-up is what
    // the user waits for: from launching the program to its first frame. The two windows run
    // the same executable, so loading it and the Qt libraries costs both the same.
    constexpr int kProcesses = 41;
    FirstFrameOfChild("tintora", widgets);
    FirstFrameOfChild("bare", widgets);
    std::vector<FirstFrame> coldTintora, coldBare;
    for (int i = 0; i < kProcesses; ++i) {
        if (i % 2 == 0) coldTintora.push_back(FirstFrameOfChild("tintora", widgets));
        coldBare.push_back(FirstFrameOfChild("bare", widgets));
        if (i % 2 == 1) coldTintora.push_back(FirstFrameOfChild("tintora", widgets));
    }
    const auto pick = [](const std::vector<FirstFrame>& frames, double FirstFrame::*part) {
        std::vector<double> v;
        for (const FirstFrame& f : frames) v.push_back(f.*part);
        return v;
    };
    // Each pair ran back to back; the median of the pairs' ratios is steadier than the ratio of
    // the medians when the machine's speed drifts during the run.
    const auto pairedRatio = [&](double FirstFrame::*part) {
        std::vector<double> ratios;
        for (std::size_t i = 0; i < coldTintora.size() && i < coldBare.size(); ++i)
            if (coldBare[i].*part > 0) ratios.push_back(coldTintora[i].*part / coldBare[i].*part);
        return Median(ratios);
    };
    for (const auto& [part, what] : {std::pair{&FirstFrame::fromLaunch, "launch"}, std::pair{&FirstFrame::fromMain, "main"}}) {
        const std::vector<double> t = pick(coldTintora, part);
        const std::vector<double> b = pick(coldBare, part);
        const std::string from = std::string("new process, ") + what + " to first frame, ";
        Report((from + "tintora").c_str(), t, "");
        Report((from + "bare").c_str(), b, "");
        std::printf("%-44s %8.2f x   median of paired ratios %.2f x%s\n", "  ratio of the medians", Median(t) / Median(b),
                    pairedRatio(part), part == &FirstFrame::fromLaunch ? "          (target <= 1.5)" : "");
    }

    ShownWindow shown(workspace);
    MainWindow& window = shown.window;
    PaintCounter& painted = shown.painted;
    Editor& editor = window.GetEditor();
    auto* box = window.findChild<HexBox*>(QStringLiteral("txtColor_4"));
    box->setFocus();

    constexpr int kChanges = 300;
    const Qt::Key digits[] = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                              Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9};
    std::vector<double> change, keyOnly;
    for (int i = 0; i < kChanges; ++i) {
        editor.SetColour(4, "B5290");  // five characters: nothing repaints yet
        QCoreApplication::processEvents();
        const int seen = painted.count;
        const auto start = Timer::now();
        QTest::keyClick(box, digits[i % 10]);
        const auto mid = Timer::now();
        WaitForPaint(painted, seen);
        change.push_back(Milliseconds(Timer::now() - start));
        keyOnly.push_back(Milliseconds(mid - start));  // handled, not yet painted
    }
    Report("colour change (sixth key to painted preview)", change, "(target < 2 ms)");
    Report("  of which the key up to the repaint request", keyOnly, "");

    // The same at the largest zoom: four times the pixels of every repainted screen.
    window.SetPreviewZoom(4);
    QCoreApplication::processEvents();
    std::vector<double> change4;
    for (int i = 0; i < kChanges; ++i) {
        editor.SetColour(4, "B5290");
        QCoreApplication::processEvents();
        const int seen = painted.count;
        const auto start = Timer::now();
        QTest::keyClick(box, digits[i % 10]);
        WaitForPaint(painted, seen);
        change4.push_back(Milliseconds(Timer::now() - start));
    }
    Report("colour change at 4x zoom", change4, "(target < 4 ms)");
    MeasureSafeEditing(workspace);
    window.SetPreviewZoom(2);
    QCoreApplication::processEvents();

    std::vector<double> full;
    auto* preview = window.findChild<QWidget*>(QStringLiteral("preview"));
    for (int i = 0; i < 100; ++i) {
        const auto start = Timer::now();
        preview->repaint();
        full.push_back(Milliseconds(Timer::now() - start));
    }
    Report("whole preview painted once", full, "");

    constexpr int kDefaults = 100;
    std::vector<double> defaults;
    for (int i = 0; i < kDefaults; ++i) {
        for (int e = 0; e < kElementCount; ++e) editor.SetColour(e, i % 2 ? "123456" : "654321");
        QCoreApplication::processEvents();  // every element differs from its default now
        const int seen = painted.count;
        const auto start = Timer::now();
        editor.ApplyDefaultColours();
        WaitForPaint(painted, seen);
        defaults.push_back(Milliseconds(Timer::now() - start));
    }
    Report("ApplyDefaultColours with all repaints", defaults, "(target < 10 ms)");

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-44s %8.1f MiB                                            (target < 60 MiB)\n",
                "peak memory (ru_maxrss, whole run)", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
