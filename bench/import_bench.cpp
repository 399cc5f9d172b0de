// Importing pictures, measured in one run (medians, milliseconds): fitting and encoding a decoded
// picture for every slot, decoding + fitting + encoding a 4000 x 3000 JPEG, the fit dialog's
// result after a crop-window move, and a colour change with the preview in phone colours. Run
// from a Release build; the window parts under a display (`xvfb-run -a build/bench/import_bench`),
// otherwise Qt's offscreen platform is used.

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QTest>

#include "platform/PictureDecoder.h"
#include "platform/QtToolkit.h"
#include "settings/SettingsStore.h"
#include "ui/CropView.h"
#include "ui/HexBox.h"
#include "ui/ImportDialog.h"
#include "ui/MainWindow.h"
#include "base/Clock.h"
#include "base/Log.h"
#include "PaintWait.h"

using namespace tintora;
using Timer = std::chrono::steady_clock;

namespace {

using tintora::bench::PaintCounter;
using tintora::bench::WaitForPaint;

double Ms(Timer::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Wall-clock medians, and beside them the medians of the processor time this thread used: on a
// machine shared with other work the second shows what the code itself costs.
std::vector<double> cpuTimes;

void Report(const std::string& what, const std::vector<double>& v, const char* target) {
    std::printf("%-56s %8.3f ms  %s\n", what.c_str(), Median(v), target);
}

void ReportWithCpu(const std::string& what, const std::vector<double>& v, const char* target) {
    std::printf("%-56s %8.3f ms  (cpu %7.3f ms)  %s\n", what.c_str(), Median(v), Median(cpuTimes), target);
}

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

template <typename Fn>
std::vector<double> Time(int runs, Fn&& fn) {
    std::vector<double> v;
    cpuTimes.clear();
    for (int i = 0; i < runs; ++i) {
        const double cpu = ThreadCpuMs();
        const auto start = Timer::now();
        fn();
        v.push_back(Ms(Timer::now() - start));
        cpuTimes.push_back(ThreadCpuMs() - cpu);
    }
    return v;
}

// A photo-like picture: smooth gradients with fine noise, which neither JPEG nor GIF likes.
QImage Photo(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 rng(5);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * 255 / w + static_cast<int>(rng() % 24)) & 0xFF, (y * 255 / h + static_cast<int>(rng() % 24)) & 0xFF,
                           ((x + y) * 255 / (w + h) + static_cast<int>(rng() % 24)) & 0xFF);
    }
    return img;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tintora-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    qputenv("HOME", QByteArray::fromStdString(folder.string()));
    QApplication app(argc, argv);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));

    // Fit and encode after decoding, per slot, from a decoded 1600 x 1200 photo.
    const RgbaImage decoded = FromQImage(Photo(1600, 1200));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const ImportSettings settings{FitMode::Crop, 0, true, false};
        ReportWithCpu("fit + encode, slot " + std::to_string(slot) + " (1600 x 1200 decoded)",
               Time(51, [&] { (void)MakeSlotPicture(PrepareSource(decoded), slot, settings); }), "(target < 5 ms)");
    }

    const RgbaImage prepared = PrepareSource(decoded);
    ReportWithCpu("  of which shrinking to " + std::to_string(prepared.width) + " x " + std::to_string(prepared.height),
           Time(51, [&] { (void)PrepareSource(decoded); }), "");
    ReportWithCpu("  of which fitting, slot 0", Time(51, [&] { (void)FitToSlot(prepared, 0, {}); }), "");

    // Decode + fit + encode of a 4000 x 3000 JPEG.
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        Photo(4000, 3000).save(&buffer, "JPEG", 90);
    }
    const Bytes file(jpeg.begin(), jpeg.end());
    ReportWithCpu("decode + fit + encode, 4000 x 3000 JPEG (" + std::to_string(file.size() / 1024) + " KiB)",
           Time(11, [&] { (void)MakeSlotPicture(PrepareSource(DecodePicture(file).image), 0, {}); }), "(target < 250 ms)");
    ReportWithCpu("  of which decoding", Time(11, [&] { (void)DecodePicture(file); }), "");

    // The fit dialog: an arrow key on the crop window until the result is painted.
    {
        Texts texts;
        ImportDialog dialog(texts, 0, file, DecodePicture(file).image, {FitMode::Crop, 0, true, false}, {});
        dialog.show();
        (void)QTest::qWaitForWindowExposed(&dialog);
        auto* view = dialog.findChild<CropView*>(QStringLiteral("cropView"));
        PaintCounter painted(dialog.findChild<QWidget*>(QStringLiteral("resultZoom")));
        WaitForPaint(painted, 0);
        std::vector<double> moves;
        for (int i = 0; i < 101; ++i) {
            const int seen = painted.count;
            const auto start = Timer::now();
            QTest::keyClick(view, i % 20 < 10 ? Qt::Key_Right : Qt::Key_Left);
            WaitForPaint(painted, seen);
            moves.push_back(Ms(Timer::now() - start));
        }
        Report("fit dialog: crop window moved to result painted", moves, "(target < 16 ms)");
    }

    // A complete colour change with the preview in phone colours.
    {
        const SystemClock clock;
        QtToolkit toolkit;
        Log log(folder / "log.txt", clock, &toolkit);
        MemorySettingsStore store;
        MainWindow window(toolkit, store, log, folder);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        window.SetPhoneColours(true);
        auto* preview = window.findChild<QWidget*>(QStringLiteral("preview"));
        PaintCounter painted(preview);
        QCoreApplication::processEvents();
        Editor& editor = window.GetEditor();
        // The same colour change, painted with the preview in phone colours and in desktop colours.
        const auto measureChange = [&] {
            std::vector<double> change;
            cpuTimes.clear();
            for (int i = 0; i < 201; ++i) {
                QCoreApplication::processEvents();
                const int seen = painted.count;
                const double cpu = ThreadCpuMs();
                const auto start = Timer::now();
                editor.SetColour(4, i % 2 ? "B52908" : "0829B5");
                WaitForPaint(painted, seen);
                change.push_back(Ms(Timer::now() - start));
                cpuTimes.push_back(ThreadCpuMs() - cpu);
            }
            return change;
        };
        ReportWithCpu("colour change painted, preview in phone colours", measureChange(), "(target < 2 ms)");
        window.SetPhoneColours(false);
        const std::vector<double> plain = measureChange();
        ReportWithCpu("  the same change, desktop colours", plain, "");
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return 0;
}
