// show, check, resave and unpack: the commands that open a theme the way the editor's file
// browser does.

#include <filesystem>

#include "colourrules/ColourRules.h"
#include "commands/CliSession.h"
#include "commands/Commands.h"
#include "commands/Options.h"
#include "commands/ContrastReport.h"
#include "commands/Json.h"
#include "pictures/ImageInfo.h"
#include "pictures/PictureFindings.h"
#include "editor/ThemeFiles.h"
#include "themefile/TarReader.h"
#include "base/FileSystem.h"
#include "editor/SaveTheme.h"

namespace tintora::cli {

namespace {

bool Opened(Editor::OpenResult r) { return r == Editor::OpenResult::Opened; }

bool WrongArgs(const Args& args, std::size_t count, std::string_view usage, std::ostream& err) {
    const OptionWalk walk = WalkOptions(args, {}, [](std::string_view, const std::string&) { return true; });
    if (walk.problem != OptionProblem::None) {
        err << "tintora-cli: unknown option '" << walk.option << "' (usage: " << usage << ")\n";
        return true;
    }
    if (args.size() == count) return false;
    err << "tintora-cli: usage: " << usage << '\n';
    return true;
}

// Writes the members `names` from the memory folder `work` into `folder` (created when missing),
// replacing files of the same names. On failure everything written and every folder created
// here is removed again, and `why` says what failed.
bool WriteFolder(FileSystem& files, const std::string& folder, const std::string& work,
                 const std::vector<std::string>& names, std::string& why) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // The outermost folder that this call creates, to be removed on failure.
    fs::path created;
    for (fs::path p = fs::absolute(folder, ec); !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
        created = p;
        if (p == p.parent_path()) break;
    }
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        why = "cannot create the folder " + folder;
        return false;
    }
    std::vector<std::string> written;
    const auto undo = [&] {
        for (const std::string& path : written) fs::remove(path, ec);
        if (!created.empty()) fs::remove_all(created, ec);
        return false;
    };
    for (const std::string& name : names) {
        const std::string target = folder + "/" + name;
        const std::optional<Bytes> bytes = files.Read(work + "/" + name, kMaxThemeFileSize);
        if (!bytes) {
            why = "cannot read the member " + name;
            return undo();
        }
        // A file (or link) of that name is replaced; a folder stays in the way.
        if (const fs::file_status st = fs::symlink_status(target, ec); fs::is_regular_file(st) || fs::is_symlink(st))
            fs::remove(target, ec);
        if (!files.WriteNew(target, bytes->data(), bytes->size(), why)) return undo();
        written.push_back(target);
    }
    return true;
}

void PrintThemeJson(const Theme& theme, std::ostream& out) {
    out << "{\n  \"name\": " << JsonString(theme.info.name)
        << ",\n  \"modified_by\": " << JsonString(theme.info.modifiedBy)
        << ",\n  \"created\": " << JsonString(theme.info.created)
        << ",\n  \"creator\": " << JsonString(theme.info.creator) << ",\n  \"colors\": {";
    for (const ElementDef& e : kElements)
        out << (e.index ? ",\n    " : "\n    ") << JsonString(e.tag) << ": "
            << JsonString(theme.colours[e.index]);
    out << "\n  },\n  \"pictures\": [";
    for (const SlotDef& s : kSlots) {
        const MemberRecord& record = theme.members[s.index];
        const std::size_t bytes = record.data ? record.data->size() : 0;
        ImageInfo info;
        if (record.data)
            if (auto measured = MeasureImage(*record.data)) info = *measured;
        out << (s.index ? ",\n    " : "\n    ") << "{\"slot\": " << s.index
            << ", \"member\": " << JsonString(s.member)
            << ", \"on\": " << (theme.SlotOn(s.index) ? "true" : "false") << ", \"bytes\": " << bytes
            << ", \"width\": " << info.width << ", \"height\": " << info.height << "}";
    }
    out << "\n  ]\n}\n";
}

// The findings box, one finding a line, newest first.
void PrintFindings(const std::string& findings, std::ostream& out) {
    std::size_t start = 0;
    for (std::size_t p; (p = findings.find("\r\n", start)) != std::string::npos; start = p + 2)
        out << std::string_view(findings).substr(start, p - start) << '\n';
    if (start < findings.size()) out << std::string_view(findings).substr(start) << '\n';
}

}  // namespace

int RunShow(const Args& args, std::ostream& out, std::ostream& err) {
    if (WrongArgs(args, 1, "tintora-cli show FILE.thm", err)) return kExitUsage;
    CliSession session(err);
    Editor& editor = session.GetEditor();
    if (!Opened(editor.OpenTheme(args[0]))) return kExitFailed;
    PrintThemeJson(editor.GetTheme(), out);
    return kExitOk;
}

int RunCheck(const Args& args, std::ostream& out, std::ostream& err) {
    bool contrast = false;
    Args files;
    static constexpr KnownOption kOptions[] = {{"--contrast"}};
    const OptionWalk walk = WalkOptions(args, kOptions, [&](std::string_view option, const std::string& value) {
        if (option.empty()) files.push_back(value);
        else contrast = true;
        return true;
    });
    if (walk.problem != OptionProblem::None) {
        err << "tintora-cli check: unknown option '" << walk.option << "'\n";
        return kExitUsage;
    }
    if (files.empty()) {
        err << "tintora-cli: usage: tintora-cli check [--contrast] FILE.thm...\n";
        return kExitUsage;
    }
    CliSession session(err);
    Editor& editor = session.GetEditor();
    int status = kExitOk;
    for (const std::string& file : files) {
        if (files.size() > 1) out << "== " << file << '\n';
        session.ResetTheme();
        if (!Opened(editor.OpenTheme(file))) {
            err << "tintora-cli check: cannot open " << file << '\n';
            status = std::max(status, kExitUsage);
            continue;
        }
        PrintFindings(editor.Findings(), out);
        // A failed rule and a picture the phone cannot show as it is fail alike.
        if (!FailedRules(editor.GetTheme().colours).empty() ||
            !PictureSizeFindings(editor.GetTheme(), editor.GetTexts()).empty())
            status = std::max(status, kExitFailed);
        if (contrast && PrintContrast(editor.GetTheme(), editor.GetTexts(), out)) status = std::max(status, kExitFailed);
    }
    return status;
}

int RunResave(const Args& args, std::ostream& out, std::ostream& err) {
    (void)out;
    if (WrongArgs(args, 2, "tintora-cli resave IN.thm OUT.thm", err)) return kExitUsage;
    CliSession session(err);
    Editor& editor = session.GetEditor();
    if (!Opened(editor.OpenTheme(args[0]))) return kExitFailed;
    return SaveOpenedTheme(session, args[1], "resave", err);
}

int SaveOpenedTheme(CliSession& session, const std::string& path, std::string_view command, std::ostream& err) {
    Editor& editor = session.GetEditor();
    Theme& theme = editor.GetTheme();
    if (theme.info.created.empty()) theme.info.created = MakeCreationStamp(session.GetClock().Now());
    std::string reason;
    if (!SaveTheme(editor.GetLog(), editor.GetTexts(), theme, path, reason)) {
        err << "tintora-cli " << command << ": " << reason << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int RunUnpack(const Args& args, std::ostream& out, std::ostream& err) {
    if (WrongArgs(args, 2, "tintora-cli unpack FILE.thm DIR", err)) return kExitUsage;
    // Unpacked in memory first: nothing is created on the disk before the archive has opened.
    CliSession session(err);
    Editor& editor = session.GetEditor();
    const std::string& work = editor.Tempfolder();
    FileSystem& files = editor.WorkFiles();
    files.MakeFolder(work);
    std::vector<std::string> names;
    if (!UnpackTarFile(editor.GetLog(), editor.GetTexts(), args[0], work, &names, files)) return kExitFailed;

    std::string why;
    if (!WriteFolder(files, args[1], work, names, why)) {
        err << "tintora-cli unpack: " << why << '\n';
        return kExitFailed;
    }
    for (const std::string& name : names) out << name << '\n';
    return kExitOk;
}

}  // namespace tintora::cli
