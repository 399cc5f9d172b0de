#include "editor/ThemeFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "base/FileOps.h"
#include "base/FileReplace.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "text/Texts.h"
#include "text/ThemeFileTexts.h"
#include "themefile/TarReader.h"
#include "themefile/TarWriter.h"

namespace fs = std::filesystem;

namespace tintora {

namespace {

// Reads the archive file whole. Only regular files up to kMaxThemeFileSize are read: a folder, a
// device or a pipe is refused before it is opened. A file that shrank since its size was taken is
// read as far as it goes; one that grew is read up to the size taken.
bool ReadArchive(const std::string& path, Bytes& bytes, std::string& why, const Texts& texts) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) {
        why = "Can not find the file";
        return false;
    }
    if (!fs::is_regular_file(st)) {
        why = "Not a file";
        return false;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        why = ec.message();
        return false;
    }
    if (size > kMaxThemeFileSize) {
        why = texts.GetText(kTextFileTooLarge);
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        why = std::generic_category().message(errno);
        return false;
    }
    bool ok = true;
    try {
        bytes.resize(static_cast<std::size_t>(size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        if (std::ferror(f)) {
            why = "Read error";
            ok = false;
        }
    } catch (const std::exception& e) {  // a file too large to hold
        why = e.what();
        ok = false;
    }
    std::fclose(f);
    return ok;
}

// The slot's caption with the member's name, as the user knows the picture: "Background
// (stand.gif)".
std::string PictureName(const Texts& texts, const std::string& member) {
    for (const SlotDef& slot : kSlots)
        if (slot.member == member) return texts.GetText(slot.LabelNumber()) + " (" + member + ")";
    return member;
}

// The log tells the same story as packing that deletes the old archive while the first member
// is packed and finds nothing to delete for each later member: the lines of the file test, then
// whether a saved file was removed. They are written once the new archive stands in place.
void LogRemovalSteps(Log& log, const std::string& target, int packed, bool oldFileReplaced) {
    for (int i = 0; i < packed; ++i) {
        FileExists(log, target, "File");
        if (i == 0 && oldFileReplaced) {
            FileExists(log, target, "File");
            log.WriteLog("Removed a saved thm file");
        } else {
            log.WriteLog(std::string(kDeleteFileNotFound) + target);
            log.WriteLog("No file to remove");
        }
    }
}

}  // namespace

bool UnpackTarFile(Log& log, const Texts& texts, const std::string& archive,
                   const std::string& tempfolder, std::vector<std::string>* writtenNames,
                   FileSystem& files) {
    const auto fail = [&](const std::string& why) {
        log.WriteLog("Failed to unpack tar file -> " + PrintableText(archive) + ": " + PrintableText(why));
        const std::string failed = texts.GetText(kTextUnpackFailed);
        log.WriteLogAndShow(failed, failed + "\n" + PrintableText(why));
        return false;
    };

    Bytes bytes;
    std::string why;
    if (!ReadArchive(archive, bytes, why, texts)) return fail(why);

    const TarContents contents = ReadTarArchive(bytes, texts);
    std::unordered_set<std::string> written;  // a name written twice is reported once
    for (const TarItem& item : contents.items) {
        if (item.kind == TarItem::Kind::Log) {
            log.WriteLog(item.text, item.level);
            continue;
        }
        const std::string target = tempfolder + "/" + item.text;
        if (!DeleteFile(log, target, files)) log.WriteLog("No File to delete");
        // The old file has been deleted; whatever still stands at the name (a folder, a file that
        // could not be deleted) is neither followed nor overwritten.
        if (!files.WriteNew(target, item.data.data(), item.data.size(), why)) return fail(why);
        if (writtenNames && written.insert(item.text).second) writtenNames->push_back(item.text);
    }
    if (contents.failure) return fail(*contents.failure);
    return true;
}

bool CreateTarFile(Log& log, const Texts& texts, const Theme& theme, const std::string& target,
                   std::string* userReason) {
    const auto fail = [&](const std::string& reason, const std::string& shown) {
        log.WriteLog("Failed to write tar file -> " + target + ": " + reason);
        if (userReason) *userReason = shown;
        return false;
    };

    TarBuildResult built = BuildTarArchive(theme.members);
    if (!built.ok) {
        const std::string reason = built.failedMember + " " + built.reason;
        return fail(reason, built.error == TarBuildError::TooLarge
                                ? texts.GetText(kTextPictureTooLarge) + PictureName(texts, built.failedMember)
                                : texts.GetText(kTextSaveFailed) + reason);
    }

    std::error_code ec;
    const bool oldFileThere = fs::exists(fs::symlink_status(fs::path(target), ec));
    std::string reason;
    if (!ReplaceFile(target, built.bytes, reason)) return fail(reason, texts.GetText(kTextSaveFailed) + reason);

    const int packed = static_cast<int>(std::count_if(theme.members.begin(), theme.members.end(),
                                                      [](const MemberRecord& m) { return m.active; }));
    LogRemovalSteps(log, target, packed, oldFileThere);
    return true;
}

}  // namespace tintora
