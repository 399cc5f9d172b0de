#pragma once
// The one theme being edited: colour values as the text of their hex boxes, the picture slots,
// the descriptive texts and the seven in-memory archive members.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Catalogue.h"

namespace tintora {

using Bytes = std::vector<std::uint8_t>;

// A member's bytes may be unallocated (no buffer at all), which is not the same as an empty
// buffer: a zero-length member is a real, allocated record.
struct MemberRecord {
    std::optional<Bytes> data;
    bool active = false;
};

inline bool IsBufferAllocated(const std::optional<Bytes>& buffer) { return buffer.has_value(); }

// Empty: no picture taken in. On: picture taken in and part of the theme. Off: picture kept in
// memory but left out of the theme. The ON/OFF and Loaded captions are derived from this.
enum class SlotState { Empty, On, Off };

struct ThemeInfo {
    std::string name;
    std::string modifiedBy;
    std::string created;
    std::string creator;
};

struct Theme {
    std::array<std::string, kElementCount> colours;  // exactly the hex box texts, maybe incomplete
    std::array<SlotState, kSlotCount> slots{};        // all Empty
    ThemeInfo info;
    std::array<MemberRecord, kMemberCount> members;

    bool SlotOn(int slot) const { return slots[slot] == SlotState::On; }
    MemberRecord& Document() { return members[kDocumentMember]; }
    const MemberRecord& Document() const { return members[kDocumentMember]; }
};

}  // namespace tintora
