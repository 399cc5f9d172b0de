// Opening a theme: switch the pictures off, empty the records, unpack into the work folder,
// read the document, remove the work folder, repaint and run the colour rules.

#include <algorithm>
#include <filesystem>
#include <limits>

#include "text/Texts.h"
#include "themefile/DocumentReader.h"
#include "themefile/TarReader.h"
#include "editor/Editor.h"
#include "base/FileBytes.h"
#include "dialogs/FileDialog.h"
#include "base/FileOps.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "base/Toolkit.h"

namespace tintora {

namespace {

bool HasXmlExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return ext == ".xml";
}

}  // namespace

bool Editor::ApplyDocumentFile(const std::string& path) {
    std::size_t index = 0;
    std::string tag;
    const auto fail = [&] {
        const std::string lines[] = {"Error in ReadFile", "Line Number-> " + std::to_string(index),
                                     "Current sTag->" + tag};
        for (const std::string& line : lines) log_.WriteLog(line);
        // One message for the user, not three boxes in a row.
        toolkit_.ShowMessage(lines[0] + "\n" + lines[1] + "\n" + lines[2]);
        return false;
    };

    const std::optional<Bytes> bytes = ReadFileBytes(path, std::numeric_limits<std::size_t>::max(), files_);
    if (!bytes) return fail();
    const std::vector<std::string> lines = DocumentLines(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    const std::vector<std::string> workFiles = files_.ListFiles(tempfolder_);

    theme_.info = {};
    view_.InfoChanged();
    view_.ClearStatusLabels();
    RulesBatch batch(*this);

    for (index = 0; index < lines.size(); ++index) {
        tag.clear();
        const std::size_t lt = lines[index].find('<');
        if (lt == std::string::npos) continue;
        const std::string_view line = std::string_view(lines[index]).substr(lt);
        const std::optional<std::string> found = FindTag(line);
        if (!found) return fail();  // a "<" with no blank, Tab or ">" after the name
        tag = *found;
        if (tag.empty()) continue;

        if (const int slot = SlotForTag(tag); slot >= 0) {
            const std::optional<std::string> name = FindSourceValue(log_, line);
            if (!name) return fail();
            // The slot is fixed by the tag; the name only finds the file among the unpacked
            // members, whatever its letter case. A name with a folder part finds nothing.
            if (const auto member = MatchMemberName(workFiles, *name))
                LoadSlotPicture(tempfolder_ + "/" + *member, slot);
        } else if (tag == "Theme_name") {
            theme_.info.name = FindInfoValue(line);
        } else if (tag == "Theme_modified_by") {
            theme_.info.modifiedBy = FindInfoValue(line);
        } else if (tag == "Theme_created") {
            theme_.info.created = FindInfoValue(line);
        } else if (tag == "Theme_creator") {
            theme_.info.creator = FindInfoValue(line);
        } else if (const int element = ElementForTag(tag); element >= 0) {
            SetColour(element, FindColourValue(log_, line));
        }
    }
    view_.InfoChanged();
    return true;
}

void Editor::PrepareForOpen() {
    SwitchOffSlotsThatAreOn();
    for (MemberRecord& record : theme_.members) record = MemberRecord{};
    // A slot whose picture was only kept in memory has lost it with the records; it shows as
    // empty rather than "Loaded" with nothing behind it.
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (theme_.slots[slot] != SlotState::Empty) {
            theme_.slots[slot] = SlotState::Empty;
            view_.SlotChanged(slot);
        }
}

Editor::OpenResult Editor::UnpackAndRead(const std::string& path, bool showInfo) {
    std::vector<std::string> members;
    if (!UnpackTarFile(log_, texts_, path, tempfolder_, &members, files_)) return OpenResult::UnpackFailed;
    // The document is the first member in archive order with the extension xml.
    const auto doc = std::find_if(members.begin(), members.end(), HasXmlExtension);
    if (doc == members.end()) {
        toolkit_.ShowMessage(texts_.GetText(kTextNoThemeDocument));
        return OpenResult::NoDocument;
    }
    const bool read = ApplyDocumentFile(tempfolder_ + "/" + *doc);
    if (showInfo) view_.ShowThemeInfo();
    DeleteFolder(log_, tempfolder_, files_);
    for (int element = 0; element <= 35; ++element) view_.ChangeColour(element);
    return read ? OpenResult::Opened : OpenResult::ReadFailed;
}

void Editor::Opened(StepScope& step, OpenResult result, const std::string& path) {
    // An opened theme is the theme of its file, unmodified; a theme that did not open whole
    // belongs to no file.
    if (result == OpenResult::Opened) {
        path_ = path;
        step.MarkClean();
    } else {
        path_.clear();
    }
}

Editor::OpenResult Editor::OpenTheme(const std::string& path) {
    if (!FileExists(log_, path, "File")) {
        log_.WriteLog(texts_.GetText(268), 2);
        return OpenResult::FileMissing;
    }
    log_.WriteLog("#############ReadFileBrowse has started##########");
    StepScope step(*this, {kTextStepOpen, 0, std::filesystem::path(path).filename().string(), {}});
    PrepareForOpen();
    if (DeleteFolder(log_, tempfolder_, files_)) log_.WriteLog("Removed TEMPFOLDER");
    CreateFolder(log_, tempfolder_, files_);
    const OpenResult result = UnpackAndRead(path, true);
    if (result != OpenResult::NoDocument) CheckColours();
    Opened(step, result, path);
    return result;
}

Editor::OpenResult Editor::OpenThemeWithDialog() {
    if (!ConfirmDropChanges()) return OpenResult::Cancelled;
    log_.WriteLog("#############ReadFile has started##########");
    view_.SetBusy(BusyButton::Read, true);
    const auto path = ShowFileDialog(toolkit_, settings_.readFolder, "thm", texts_.GetText(149), false);
    if (!path) {
        view_.SetBusy(BusyButton::Read, false);
        return OpenResult::Cancelled;
    }
    StepScope step(*this, {kTextStepOpen, 0, std::filesystem::path(*path).filename().string(), {}});
    PrepareForOpen();
    DeleteFolder(log_, tempfolder_, files_);
    CreateFolder(log_, tempfolder_, files_);
    // A typed name that does not exist creates nothing and fails like any unpacking failure.
    const OpenResult result = UnpackAndRead(*path, false);
    view_.SetBusy(BusyButton::Read, false);
    if (result != OpenResult::NoDocument) CheckColours();
    Opened(step, result, *path);
    return result;
}

}  // namespace tintora
