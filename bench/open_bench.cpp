// Opening a theme with six pictures through the whole open flow, the default theme with its
// repaints and rules, and the document writer for comparison.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "text/Texts.h"
#include "themefile/DocumentWriter.h"
#include "editor/ThemeFiles.h"
#include "themefile/TarWriter.h"
#include "base/Clock.h"
#include "editor/Editor.h"
#include "base/Log.h"
#include "base/Toolkit.h"

namespace fs = std::filesystem;
using namespace tintora;

namespace {

class QuietToolkit : public Toolkit {
public:
    Answer MessageBox(const std::string&, const std::string&, Buttons, Icon) override { return Answer::Ok; }
    std::optional<std::string> FileDialog(const FileDialogRequest&) override { return std::nullopt; }
};

Bytes Picture(int w, int h, std::size_t size) {
    Bytes b(size, 0x5A);
    const char head[] = "GIF89a";
    std::copy(head, head + 6, b.begin());
    b[6] = static_cast<std::uint8_t>(w);
    b[8] = static_cast<std::uint8_t>(h);
    return b;
}

struct Rig {
    fs::path root = fs::temp_directory_path() / ("tintora-bench-" + std::to_string(::getpid()));
    FixedClock clock{LocalTime{}};
    QuietToolkit toolkit;
    Log log{{}, clock, &toolkit};
    EditorView view;
    Editor editor{log, toolkit, view, (root / "temp").string()};
    std::string archive = (root / "six.thm").string();

    Rig() {
        fs::create_directories(root);
        editor.ApplyDefaultColours();
        Theme& t = editor.GetTheme();
        for (const SlotDef& s : kSlots) {
            t.members[s.index] = {Picture(s.width, s.height, 6000), true};
            t.slots[s.index] = SlotState::On;
        }
        PutDocument(t);
        CreateTarFile(log, editor.GetTexts(), t, archive);
    }
    ~Rig() { fs::remove_all(root); }
};

void BM_OpenThemeWithSixPictures(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        const auto result = rig.editor.OpenTheme(rig.archive);
        if (result != Editor::OpenResult::Opened) state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_OpenThemeWithSixPictures)->Unit(benchmark::kMicrosecond);

void BM_DefaultColoursWithRules(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) rig.editor.ApplyDefaultColours();
}
BENCHMARK(BM_DefaultColoursWithRules)->Unit(benchmark::kMicrosecond);

void BM_SaveFileAndPack(benchmark::State& state) {
    Rig rig;
    Theme& t = rig.editor.GetTheme();
    for (auto _ : state) {
        t.Document().data = DocumentBytes(t);
        benchmark::DoNotOptimize(BuildTarArchive(t.members));
    }
}
BENCHMARK(BM_SaveFileAndPack)->Unit(benchmark::kMicrosecond);

}  // namespace
