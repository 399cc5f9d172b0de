#include "editor/History.h"

#include "text/FillIn.h"
#include "text/Texts.h"

namespace tintora {

namespace {

bool SameBytes(const std::shared_ptr<const Bytes>& a, const std::shared_ptr<const Bytes>& b) {
    if (a == b) return true;
    return a && b && *a == *b;
}

}  // namespace

bool ThemeState::operator==(const ThemeState& other) const {
    if (colours != other.colours || slots != other.slots || path != other.path) return false;
    if (info.name != other.info.name || info.modifiedBy != other.info.modifiedBy ||
        info.created != other.info.created || info.creator != other.info.creator)
        return false;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (pictures[slot].active != other.pictures[slot].active ||
            !SameBytes(pictures[slot].data, other.pictures[slot].data))
            return false;
    return true;
}

ThemeState CaptureState(const Theme& theme, const std::string& path, const ThemeState* previous) {
    ThemeState state{theme.colours, theme.slots, theme.info, {}, path};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const MemberRecord& record = theme.members[slot];
        SharedMember& member = state.pictures[slot];
        member.active = record.active;
        if (!record.data) continue;
        const std::shared_ptr<const Bytes>* before = previous ? &previous->pictures[slot].data : nullptr;
        if (before && *before && **before == *record.data)
            member.data = *before;  // shared, not copied
        else
            member.data = std::make_shared<const Bytes>(*record.data);
    }
    return state;
}

void ApplyState(const ThemeState& state, Theme& theme) {
    theme.colours = state.colours;
    theme.slots = state.slots;
    theme.info = state.info;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        MemberRecord& record = theme.members[slot];
        const SharedMember& member = state.pictures[slot];
        record.active = member.active;
        if (member.data)
            record.data = *member.data;
        else
            record.data.reset();
    }
}

std::string StepName::Describe(const Texts& texts) const {
    if (pattern == 0) return {};
    const std::string subjectText = subject != 0 ? texts.GetText(subject) : std::string();
    return FillIn(texts.GetText(pattern), {subjectText, from, to});
}

History::History(std::size_t limit) : limit_(limit < 1 ? 1 : limit) { entries_.push_back({}); }

void History::Start(ThemeState state) {
    entries_.clear();
    entries_.push_back({std::move(state), {}});
    current_ = 0;
    clean_ = 0;
}

bool History::Record(ThemeState state, StepName name) {
    if (state == Current()) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, entries_.end());
    if (clean_ > static_cast<long>(current_)) clean_ = -1;  // the clean state could only be redone
    entries_.push_back({std::move(state), std::move(name)});
    ++current_;
    while (entries_.size() > limit_ + 1) {
        entries_.pop_front();
        --current_;
        clean_ = clean_ > 0 ? clean_ - 1 : -1;
    }
    return true;
}

bool History::Undo() {
    if (!CanUndo()) return false;
    --current_;
    return true;
}

bool History::Redo() {
    if (!CanRedo()) return false;
    ++current_;
    return true;
}

}  // namespace tintora
