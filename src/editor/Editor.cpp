#include "editor/Editor.h"

#include "colourrules/ColourRules.h"
#include "model/ColourText.h"
#include "pictures/PictureFindings.h"
#include "text/Texts.h"
#include "base/Clock.h"

namespace tintora {

namespace {
const Clock& SystemClockInstance() {
    static const SystemClock clock;
    return clock;
}
}  // namespace

Editor::Editor(Log& log, Toolkit& toolkit, EditorView& view, std::string tempfolder, FileSystem& files)
    : log_(log), toolkit_(toolkit), view_(view), clock_(&SystemClockInstance()),
      tempfolder_(std::move(tempfolder)), files_(files) {}

void Editor::SetColour(int index, std::string text) {
    StepScope step(*this, {kTextStepColour, kElements[index].LabelNumber(), {}, {}}, index);
    const bool complete = IsCompleteColourText(text);
    theme_.colours[index] = complete ? UpperColourText(text) : std::move(text);
    view_.ColourTextChanged(index);
    if (!complete) return;  // swatch, preview and findings keep the last complete colour
    view_.ChangeColour(index);
    FindingsMayChange();
}

Editor::RulesBatch::~RulesBatch() {
    if (--editor_.rulesBatchDepth_ == 0 && editor_.rulesPending_) {
        editor_.rulesPending_ = false;
        editor_.CheckColours();
    }
}

void Editor::ApplyDefaultColours() {
    RulesBatch batch(*this);
    for (int index : kDefaultColourOrder) SetColour(index, std::string(kElements[index].defaultValue));
    for (int index = 0; index < kElementCount; ++index) view_.ChangeColour(index);
}

void Editor::CheckColours() {
    findings_ = tintora::CheckColours(theme_.colours, texts_);
    // Pictures the phone cannot show as they are follow the colour findings.
    for (const std::string& line : PictureSizeFindings(theme_, texts_)) findings_ += "-->" + line + "\r\n";
    view_.FindingsChanged();
}

void Editor::FindingsMayChange() {
    if (rulesBatchDepth_ > 0)
        rulesPending_ = true;
    else
        CheckColours();
}

void Editor::SwitchOffSlotsThatAreOn() {
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (theme_.SlotOn(slot)) ToggleSlot(slot);
}

void Editor::Reset() {
    if (!ConfirmDropChanges()) return;
    StepScope step(*this, {kTextStepReset, 0, {}, {}});
    step.MarkClean();
    SwitchOffSlotsThatAreOn();
    ApplyDefaultColours();
}

}  // namespace tintora
