#include "render/Render.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/CliSession.h"
#include "commands/Options.h"
#include "preview/PreviewColours.h"
#include "preview/PreviewModel.h"
#include "ui/PhoneLook.h"
#include "ui/PreviewPainter.h"
#include "ui/PreviewPictures.h"

namespace tintora::cli {

namespace {

constexpr std::string_view kUsage =
    "tintora-cli render [--mark-contrast] [--phone-colours] FILE.thm OUT.png | tintora-cli render [--mark-contrast] [--phone-colours] --default OUT.png";

struct RenderArgs {
    bool useDefault = false;
    bool markContrast = false;
    bool phoneColours = false;
    std::string theme;
    std::string image;
};

std::optional<RenderArgs> ParseArgs(const Args& args, std::ostream& err) {
    RenderArgs parsed;
    std::vector<std::string> files;
    static constexpr KnownOption kOptions[] = {
        {"--default", false, true}, {"--mark-contrast", false, true}, {"--phone-colours", false, true}};
    const OptionWalk walk = WalkOptions(args, kOptions, [&](std::string_view option, const std::string& value) {
        if (option.empty()) files.push_back(value);
        else if (option == "--default") parsed.useDefault = true;
        else if (option == "--mark-contrast") parsed.markContrast = true;
        else parsed.phoneColours = true;
        return true;
    });
    if (walk.problem != OptionProblem::None) {
        err << "tintora-cli: unknown option '" << walk.option << "' (usage: " << kUsage << ")\n";
        return std::nullopt;
    }
    if (files.size() != (parsed.useDefault ? 1u : 2u)) {
        err << "tintora-cli: usage: " << kUsage << '\n';
        return std::nullopt;
    }
    if (!parsed.useDefault) parsed.theme = files.front();
    parsed.image = files.back();
    return parsed;
}

// Text needs a graphical application object. The command line has none of its own, so one is
// made on the offscreen platform unless the caller chose a platform; a test that already runs
// an application lends it.
class GuiApplication {
public:
    GuiApplication() {
        if (QCoreApplication::instance() != nullptr) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    bool Usable() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

private:
    static inline int argc_ = 1;
    static inline char name_[] = "tintora-cli";
    static inline char* argv_[] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

// The model brought in line with the theme the way the window's is after start-up and an
// open, and painted as the preview widget paints it.
// With `markContrast`, the texts of the pairs that are hard to read are outlined on top.
QImage PaintTheme(const Theme& theme, const Texts& texts, bool markContrast) {
    const PreviewModel preview = PreviewFor(theme, texts);
    QImage image(PreviewSize(kDefaultPreviewZoom), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintPreview(painter, preview, PreviewPictures(theme), kDefaultPreviewZoom);
    if (markContrast) {
        std::vector<int> items;
        for (const ContrastPair& pair : ContrastPairs(theme, preview))
            if (pair.HardToRead()) items.insert(items.end(), pair.items.begin(), pair.items.end());
        PaintOutlines(painter, preview, items, kDefaultPreviewZoom);
    }
    painter.end();
    return image;
}

// Through a temporary file that replaces the target only when complete: a failed write leaves
// neither a broken image nor a changed old one.
bool SavePng(const QImage& image, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

}  // namespace

int RunRender(const Args& args, std::ostream& out, std::ostream& err) {
    (void)out;
    const std::optional<RenderArgs> parsed = ParseArgs(args, err);
    if (!parsed) return kExitUsage;

    CliSession session(err);
    Editor& editor = session.GetEditor();
    if (!parsed->useDefault && editor.OpenTheme(parsed->theme) != Editor::OpenResult::Opened)
        return kExitFailed;

    const GuiApplication gui;
    if (!gui.Usable()) {
        err << "tintora-cli render: painting needs a graphical application\n";
        return kExitFailed;
    }
    QImage image = PaintTheme(editor.GetTheme(), editor.GetTexts(), parsed->markContrast);
    if (parsed->phoneColours) ShowAsPhone(image);
    if (!SavePng(image, parsed->image)) {
        err << "tintora-cli render: cannot write " << parsed->image << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tintora::cli
