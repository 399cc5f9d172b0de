#include "model/Catalogue.h"

namespace tintora {

namespace {
constexpr int kStandby = 0, kDesktop = 1, kMenu = 2, kPopup = 3, kCalendar = 4, kWap = 5, kNotes = 6;

constexpr std::array<int, 4> kStandbyElements{0, 1, 2, 3};
constexpr std::array<int, 3> kDesktopElements{8, 36, 37};
constexpr std::array<int, 11> kMenuElements{4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15};
constexpr std::array<int, 13> kPopupElements{16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28};
constexpr std::array<int, 3> kCalendarElements{33, 34, 35};
constexpr std::array<int, 2> kWapElements{29, 30};
constexpr std::array<int, 2> kNotesElements{31, 32};
}  // namespace

const std::array<ElementDef, kElementCount> kElements{{
    {0, "Standby_operatorname", "", kStandby, "B52908"},
    {1, "Standby_operatorname_outline", "", kStandby, "FFFFFF"},
    {2, "Standby_time", "", kStandby, "B52908"},
    {3, "Standby_time_outline", "", kStandby, "FFFFFF"},
    {4, "Background", "", kMenu, "FFEAB6"},
    {5, "Title", "", kMenu, "FF5200"},
    {6, "Title_text", "", kMenu, "FFFFFF"},
    {7, "Title_text_shadow", "", kMenu, "B52908"},
    {8, "Desktop_background", "", kDesktop, "FFFEB6"},
    {9, "Text", "", kMenu, "5C1D0E"},
    {10, "Disabled_text", "", kMenu, "999999"},
    {11, "Highlight", "", kMenu, "FFC600"},
    {12, "Highlight_text", "Hightlight_text", kMenu, "000000"},
    {13, "Highlight_disabled_text", "Hightlight_disabled_text", kMenu, "999999"},
    {14, "Prompt", "", kMenu, "5C1D0E"},
    {15, "Cursor", "", kMenu, "000000"},
    {16, "Popup_title", "", kPopup, "FF5200"},
    {17, "Popup_title_text", "", kPopup, "FFFFFF"},
    {18, "Popup_title_text_shadow", "", kPopup, "B52908"},
    {19, "Popup_background", "", kPopup, "FFF000"},
    {20, "Popup_text", "", kPopup, "5C1D0E"},
    {21, "Popup_disabled_text", "", kPopup, "6F6F6F"},
    {22, "Popup_Prompt", "", kPopup, "5C1D0E"},
    {23, "Popup_Cursor", "", kPopup, "000000"},
    {24, "Popup_highlight", "", kPopup, "FFAF00"},
    {25, "Popup_highlight_text", "Popup_hightlight_text", kPopup, "000000"},
    {26, "Popup_highlight_disabled_text", "Popup_hightlight_disabled_text", kPopup, "6F6F6F"},
    {27, "Popup_frame", "", kPopup, "5C1D0E"},
    {28, "Popup_shadow", "", kPopup, "949191"},
    {29, "Wapbrowser_tableborder", "", kWap, "5C1D0E"},
    {30, "Wapbrowser_underline", "", kWap, "5C1D0E"},
    {31, "Notes_text", "", kNotes, "5C1D0E"},
    {32, "Notes_background", "", kNotes, "FFF000"},
    {33, "Calendar_weekend_text", "", kCalendar, "FF5200"},
    {34, "Calendar_weekend_highlight", "Calendar_weekend_hightlight", kCalendar, "FF5200"},
    {35, "Calendar_weekend_highlight_text", "Calendar_weekend_hightlight_text", kCalendar, "FFFFFF"},
    {36, "Desktop_title", "", kDesktop, "B52908"},
    {37, "Desktop_title_outline", "", kDesktop, "FFFFFF"},
}};

const std::array<SlotDef, kSlotCount> kSlots{{
    {0, "Background_image", "Backround_image", "stand.gif", 101, 80, " 101x80"},
    {1, "Desktop_background_image", "", "desk.gif", 101, 80, " 101x80"},
    {2, "Title_image_medium", "", "medium.gif", 101, 27, " 101x27"},
    {3, "Title_image_small", "", "small.gif", 101, 20, " 101x20"},
    {4, "Title_image_asian", "", "asian.gif", 101, 16, " 101x16"},
    {5, "Title_image_large", "", "large.gif", 101, 16, " 101x16"},
}};

const std::array<GroupDef, kGroupCount> kGroups{{
    {0, kStandbyElements},
    {1, kDesktopElements},
    {2, kMenuElements},
    {3, kPopupElements},
    {4, kCalendarElements},
    {5, kWapElements},
    {6, kNotesElements},
    {7, {}},
}};

const std::array<std::string_view, kMemberCount> kMemberNames{
    "stand.gif", "desk.gif", "medium.gif", "small.gif", "asian.gif", "large.gif", "theme.xml"};

const std::array<int, kElementCount> kDefaultColourOrder{
    0, 1, 2, 3, 8, 36, 37, 5, 6, 7, 4, 9, 10, 11, 12, 13, 14, 15, 16,
    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 32, 31, 30, 29, 33, 34, 35};

const std::array<int, kElementCount> kDocumentOrder{
    0, 1, 2, 3, 8, 36, 37, 5, 6, 7, 4, 9, 10, 14, 15, 11, 12, 13, 16,
    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 32, 31, 33, 34, 35, 30, 29};

int ElementForTag(std::string_view tag) {
    if (tag.empty()) return -1;
    for (const auto& e : kElements)
        if (tag == e.tag || tag == e.alsoRead) return e.index;
    return -1;
}

int SlotForTag(std::string_view tag) {
    if (tag.empty()) return -1;
    for (const auto& s : kSlots)
        if (tag == s.element || tag == s.alsoRead) return s.index;
    return -1;
}

}  // namespace tintora
