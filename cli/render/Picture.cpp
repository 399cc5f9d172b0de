#include "render/Picture.h"

#include <QSaveFile>

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "commands/CliSession.h"
#include "commands/Options.h"
#include "model/ColourText.h"
#include "pictures/SlotPicture.h"
#include "platform/PictureDecoder.h"
#include "base/FileBytes.h"

namespace tintora::cli {

namespace {

constexpr std::string_view kPictureUsage =
    "tintora-cli picture IMAGE --slot K OUT.gif [--mode crop|fit|stretch] [--no-dither] [--bar RRGGBB] [--convert]";
constexpr std::string_view kSetPictureUsage = "tintora-cli set-picture THEME.thm K IMAGE OUT.thm [options]";

struct PictureArgs {
    std::vector<std::string> files;
    std::optional<int> slot;
    FitMode mode = FitMode::Crop;
    std::optional<std::uint32_t> bar;
    bool dither = true;
    bool convert = false;
};

std::optional<int> ParseSlot(const std::string& text) {
    int slot = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), slot);
    if (ec != std::errc() || end != text.data() + text.size() || slot < 0 || slot >= kSlotCount) return std::nullopt;
    return slot;
}

std::optional<std::uint32_t> ParseBar(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != kColourTextLength || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<PictureArgs> Parse(const Args& args, bool slotOption, std::string_view usage, std::ostream& err) {
    PictureArgs parsed;
    const auto fail = [&](const std::string& what) {
        err << "tintora-cli: " << what << " (usage: " << usage << ")\n";
        return std::nullopt;
    };
    static constexpr KnownOption kOptions[] = {
        {"--mode", true}, {"--bar", true}, {"--no-dither"}, {"--convert"}, {"--slot", true}};
    // set-picture takes its slot as a file argument, so --slot is no option of it.
    const std::span<const KnownOption> options(kOptions, slotOption ? 5 : 4);
    std::string refusal;
    const OptionWalk walk = WalkOptions(args, options, [&](std::string_view option, const std::string& value) {
        if (option.empty()) parsed.files.push_back(value);
        else if (option == "--slot" && !(parsed.slot = ParseSlot(value))) refusal = "slot must be 0 to 5";
        else if (option == "--mode") {
            const auto mode = ParseFitMode(value);
            if (mode) parsed.mode = *mode;
            else refusal = "unknown mode '" + value + "'";
        }
        else if (option == "--bar" && !(parsed.bar = ParseBar(value))) refusal = "bar colour must be six hex digits";
        else if (option == "--no-dither") parsed.dither = false;
        else if (option == "--convert") parsed.convert = true;
        return refusal.empty();
    });
    if (walk.problem == OptionProblem::Refused) return fail(refusal);
    if (walk.problem != OptionProblem::None) return fail("unknown or incomplete option '" + walk.option + "'");
    if (!slotOption && parsed.files.size() == 4) {
        if (!(parsed.slot = ParseSlot(parsed.files[1]))) return fail("slot must be 0 to 5");
        parsed.files.erase(parsed.files.begin() + 1);
    }
    if (!parsed.slot || parsed.files.size() != (slotOption ? 2u : 3u)) return fail("wrong arguments");
    return parsed;
}

// The slot's picture bytes made from the image file, as the import dialog makes them; nullopt
// (with the message on `err`) when the image cannot be read.
std::optional<Bytes> MakePicture(const PictureArgs& a, const std::string& image, const Theme& theme, std::ostream& err) {
    const int slot = *a.slot;
    std::optional<Bytes> file = ReadFileBytes(image, kMaxPictureFileBytes + 1);
    if (file && !a.convert && IsSlotSizedGif(*file, slot)) return file;
    const DecodedPicture decoded = file ? DecodePicture(*file) : DecodedPicture{{}, "the file cannot be opened"};
    if (decoded.image.Empty()) {
        err << "tintora-cli: cannot read the image " << image << ": " << decoded.reason << '\n';
        return std::nullopt;
    }
    ImportSettings settings = SettingsFromChoice({a.mode, a.bar, a.dither}, theme, slot);
    settings.convert = a.convert;
    GifResult gif = MakeSlotPicture(PrepareSource(decoded.image), slot, settings);
    if (!gif.bytes) err << "tintora-cli: cannot make the picture: " << gif.error << '\n';
    return std::move(gif.bytes);
}

bool WriteWhole(const Bytes& bytes, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size()) &&
           file.commit();
}

}  // namespace

int RunPicture(const Args& args, std::ostream& out, std::ostream& err) {
    (void)out;
    const auto parsed = Parse(args, true, kPictureUsage, err);
    if (!parsed) return kExitUsage;
    CliSession session(err);  // the default theme gives the default bar colour
    const auto bytes = MakePicture(*parsed, parsed->files[0], session.GetEditor().GetTheme(), err);
    if (!bytes) return kExitFailed;
    if (!WriteWhole(*bytes, parsed->files[1])) {
        err << "tintora-cli picture: cannot write " << parsed->files[1] << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int RunSetPicture(const Args& args, std::ostream& out, std::ostream& err) {
    (void)out;
    const auto parsed = Parse(args, false, kSetPictureUsage, err);
    if (!parsed) return kExitUsage;
    CliSession session(err);
    Editor& editor = session.GetEditor();
    if (editor.OpenTheme(parsed->files[0]) != Editor::OpenResult::Opened) return kExitFailed;
    auto bytes = MakePicture(*parsed, parsed->files[1], editor.GetTheme(), err);
    if (!bytes) return kExitFailed;
    editor.TakeSlotPicture(*parsed->slot, std::move(*bytes));
    return SaveOpenedTheme(session, parsed->files[2], "set-picture", err);
}

}  // namespace tintora::cli
