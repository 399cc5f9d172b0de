// Feeds arbitrary bytes to the theme document reader as theme.xml, with a work folder that holds
// a few pictures the document may name. Besides the sanitizers' findings it stops when a picture
// slot ends up on without bytes, or a colour value is not what the reader may produce.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "base/Clock.h"
#include "editor/Editor.h"
#include "base/Log.h"
#include "base/Toolkit.h"

namespace fs = std::filesystem;
using namespace tintora;

namespace {

class SilentToolkit : public Toolkit {
public:
    Answer MessageBox(const std::string&, const std::string&, Buttons, Icon) override { return Answer::Ok; }
    std::optional<std::string> FileDialog(const FileDialogRequest&) override { return std::nullopt; }
};

void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

struct Rig {
    fs::path root;
    FixedClock clock{LocalTime{}};
    SilentToolkit toolkit;
    Log log{{}, clock, &toolkit};
    EditorView view;
    Editor editor;
    Rig()
        : root(fs::temp_directory_path() / ("tintora-readfile-fuzz-" + std::to_string(::getpid()))),
          editor(log, toolkit, view, (root / "temp").string()) {
        fs::remove_all(root);
        fs::create_directories(root / "temp");
        const std::string gif = std::string("GIF89a") + "\x65\x00\x50\x00" + std::string(40, 'g');
        Write(root / "temp" / "stand.gif", gif);
        Write(root / "temp" / "Desk.GIF", gif);
        Write(root / "temp" / "empty.gif", "");
        Write(root / "outside.gif", gif);
    }
    ~Rig() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Rig rig;
    const fs::path doc = rig.root / "temp" / "theme.xml";
    Write(doc, std::string(reinterpret_cast<const char*>(data), size));
    Theme& theme = rig.editor.GetTheme();
    theme.slots.fill(SlotState::Empty);
    theme.members = {};
    rig.editor.ApplyDocumentFile(doc.string());
    for (int s = 0; s < kSlotCount; ++s)
        if (theme.SlotOn(s) && (!theme.members[s].data || theme.members[s].data->empty())) std::abort();
    for (const std::string& value : theme.colours)
        if (value.size() > 6 * 3) std::abort();  // at most six characters, each up to 3 UTF-8 bytes
    return 0;
}
