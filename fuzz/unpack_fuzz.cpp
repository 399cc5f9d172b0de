// Feeds arbitrary bytes to the archive reader as a .thm file. Besides the sanitizers' findings it
// stops on anything written outside the work folder or anything in it that is not a plain file.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "text/Texts.h"
#include "themefile/TarReader.h"
#include "base/Clock.h"
#include "base/Log.h"

namespace fs = std::filesystem;

namespace {

// A memory file system when there is one: every input is written and unpacked as real files.
fs::path Base() {
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec)) return "/dev/shm";
    return fs::temp_directory_path();
}

// Per process, so parallel fuzzing jobs do not meet. The work folder sits two levels down, so
// that a member escaping with "../" would land inside the root where it is seen.
struct Sandbox {
    fs::path root;
    fs::path archive;
    fs::path work;
    Sandbox() {
        root = Base() / ("tintora-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "a" / "b");
        archive = root / "a" / "in.thm";
        work = root / "a" / "b" / "work";
    }
    ~Sandbox() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

[[noreturn]] void Escaped(const fs::path& p) {
    std::fprintf(stderr, "unexpected entry after unpacking: %s\n", p.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Sandbox box;
    static tintora::FixedClock clock(tintora::LocalTime{2026, 1, 1, 0, 0, 0});
    static tintora::Texts texts;
    tintora::Log log({}, clock, nullptr);

    if (std::FILE* f = std::fopen(box.archive.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    fs::create_directory(box.work);

    tintora::UnpackTarFile(log, texts, box.archive.string(), box.work.string());

    // Only the archive and the work folder may exist in the sandbox, and the work folder may
    // hold plain files only.
    for (const auto& e : fs::recursive_directory_iterator(box.root)) {
        const fs::path& p = e.path();
        if (p == box.archive || p == box.work || p == box.root / "a" || p == box.root / "a" / "b")
            continue;
        if (p.parent_path() == box.work && e.is_regular_file() && !e.is_symlink()) continue;
        Escaped(p);
    }
    fs::remove_all(box.work);
    return 0;
}
