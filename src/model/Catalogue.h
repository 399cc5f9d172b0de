#pragma once
// The constant tables of the theme format: the 38 colour elements, the six picture slots, the
// element groups and the seven archive members. Every reader, writer, widget row and settings key
// is driven from these tables.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tintora {

inline constexpr int kElementCount = 38;
inline constexpr int kSlotCount = 6;
inline constexpr int kGroupCount = 8;
inline constexpr int kMemberCount = 7;
inline constexpr int kDocumentMember = 6;  // record 6 holds theme.xml

struct ElementDef {
    int index;
    std::string_view tag;       // the only form the document writer produces
    std::string_view alsoRead;  // a misspelling the reader accepts too, or empty
    int group;                  // index into kGroups
    std::string_view defaultValue;
    constexpr int LabelNumber() const { return 160 + index; }
};

struct SlotDef {
    int index;
    std::string_view element;   // tag of the picture line
    std::string_view alsoRead;  // accepted misspelling, or empty
    std::string_view member;    // file name inside the archive
    int width;                  // required picture size in pixels
    int height;
    std::string_view sizeText;  // shown in the refusal message, begins with a blank
    constexpr int LabelNumber() const { return 198 + index; }
};

struct GroupDef {
    int index;
    std::span<const int> elements;  // empty for the picture group
    constexpr int CaptionNumber() const { return 140 + index; }
};

extern const std::array<ElementDef, kElementCount> kElements;
extern const std::array<SlotDef, kSlotCount> kSlots;
extern const std::array<GroupDef, kGroupCount> kGroups;
extern const std::array<std::string_view, kMemberCount> kMemberNames;

// The order in which the default theme assigns its values.
extern const std::array<int, kElementCount> kDefaultColourOrder;
// The order of the colour lines in theme.xml.
extern const std::array<int, kElementCount> kDocumentOrder;

// Element index for a tag in either spelling (case-sensitive), or -1.
int ElementForTag(std::string_view tag);
// Slot index for a picture tag in either spelling (case-sensitive), or -1.
int SlotForTag(std::string_view tag);

}  // namespace tintora
