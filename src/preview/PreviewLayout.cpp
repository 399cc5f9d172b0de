#include "preview/PreviewLayout.h"

namespace tintora {

namespace {

// Screen numbers: the number of the marker arrow that belongs to the screen.
enum Screen : int {
    kOperator = 0, kSetting = 1, kPhonebook = 2, kNotes = 3, kCalling = 4, kSms = 5, kWriteNew = 6,
    kEditWord = 7, kOptions1 = 8, kOptions2 = 9, kCalendar = 10, kWap = 11, kTable = 12,
};

struct LabelStyle {
    int fontSize;
    bool bold;
    Align align;
    bool transparent;
    int columns = 0;
    bool wrap = false;
};

// Texts that stand on a picture or on a bar painted by another label are transparent.
constexpr LabelStyle kStandbyName{8, true, Align::Center, true};
constexpr LabelStyle kClock{14, true, Align::Center, true};
constexpr LabelStyle kDesktopTitle{9, true, Align::Center, true};
constexpr LabelStyle kTitle{8, true, Align::Center, true};   // main title over its bar
constexpr LabelStyle kBar{8, true, Align::Center, false};    // title bar carrying the shadow text
// The maker's address is the longest title. Regular weight: it shares the list rows' small font
// instead of adding a size of its own to the preview's first paint.
constexpr LabelStyle kWapTitle{6, false, Align::Center, true};
constexpr LabelStyle kWapBar{6, false, Align::Center, false};
constexpr LabelStyle kRow{7, false, Align::Left, false};
constexpr LabelStyle kSmallRow{6, false, Align::Left, false};
constexpr LabelStyle kCell{7, false, Align::Center, false};
constexpr LabelStyle kCursor{8, true, Align::Left, false};
constexpr LabelStyle kHint{6, false, Align::Center, false};
constexpr LabelStyle kNote{7, false, Align::Left, false, 0, true};
constexpr LabelStyle kCaller{7, false, Align::Center, false};
constexpr LabelStyle kCallingText{8, true, Align::Center, true};
constexpr LabelStyle kWeekdays{7, false, Align::Columns, false, 5};
constexpr LabelStyle kWeekendPair{7, false, Align::Columns, false, 2};
constexpr LabelStyle kWeekendDay{7, false, Align::Columns, false, 1};

constexpr int kLineThickness = kTwipsPerPixel;
constexpr int kBorder = kTwipsPerPixel;

constexpr ItemDef Frame(std::string_view name, int screen) {
    return {ItemKind::FrameBackground, name, kNoIndex, screen, 0, 0, kScreenWidth, kScreenHeight, 0};
}

constexpr ItemDef Picture(int holder, int screen, int l, int t, int w, int h, int z) {
    ItemDef d{ItemKind::Picture, "BackImage", holder, screen, l, t, w, h, z};
    d.visible = false;  // shown only while its slot is on
    return d;
}

constexpr ItemDef Label(std::string_view name, int index, int screen, int l, int t, int w, int h, int z,
                        const LabelStyle& s, std::string_view caption = {}, bool visible = true) {
    ItemDef d{ItemKind::Label, name, index, screen, l, t, w, h, z};
    d.fontSize = s.fontSize;
    d.bold = s.bold;
    d.align = s.align;
    d.columns = s.columns;
    d.wrap = s.wrap;
    d.transparent = s.transparent;
    d.visible = visible;
    d.caption = caption;
    return d;
}

constexpr ItemDef Shape(std::string_view name, int index, int screen, int l, int t, int w, int h, int z,
                        bool transparent, int borderWidth) {
    ItemDef d{ItemKind::Shape, name, index, screen, l, t, w, h, z};
    d.transparent = transparent;
    d.borderWidth = borderWidth;
    return d;
}

constexpr ItemDef Line(int index, int screen, int l, int t, int w, int h, int z) {
    return {ItemKind::Line, "WapLine", index, screen, l, t, w, h, z};
}

// Rows of a list: `count` labels of one array, one below the other.
constexpr ItemDef Row(int index, int screen, int top, int height, int z, const LabelStyle& s) {
    return Label("lblText", index, screen, 0, top, kScreenWidth, height, z, s);
}

constexpr int kFull = kScreenWidth;
// Title bars are 16 pixels high. The main title is moved up-left by the shadow offset so that its
// shadow copy, which paints the bar, starts at the screen's corner.
constexpr int kBarHeight = 240;

// Outline copies are listed before their main label so the main text is painted over them; the
// copies start at the main label's place and PlaceTextCopies moves them.
const ItemDef kItems[] = {
    // Standby screen.
    Frame("f_operaotr", kOperator),
    Picture(0, kOperator, 0, 0, kFull, kScreenHeight, 1),
    Shape("ShapeStandby", kNoIndex, kOperator, 0, 0, kFull, kScreenHeight, 2, false, 0),
    Label("lblStandby_operatorname", 12, kOperator, 300, 120, 915, 240, 3, kStandbyName),
    Label("lblStandby_operatorname", 13, kOperator, 300, 120, 915, 240, 3, kStandbyName),
    Label("lblStandby_operatorname", 14, kOperator, 300, 120, 915, 240, 3, kStandbyName),
    Label("lblStandby_operatorname", 15, kOperator, 300, 120, 915, 240, 3, kStandbyName),
    Label("lblStandby_operatorname", 11, kOperator, 300, 120, 915, 240, 4, kStandbyName),
    Label("lblStandby_time", 6, kOperator, 200, 420, 1115, 360, 3, kClock),
    Label("lblStandby_time", 8, kOperator, 200, 420, 1115, 360, 3, kClock),
    Label("lblStandby_time", 9, kOperator, 200, 420, 1115, 360, 3, kClock),
    Label("lblStandby_time", 10, kOperator, 200, 420, 1115, 360, 3, kClock),
    Label("lblStandby_time", 7, kOperator, 200, 420, 1115, 360, 4, kClock),

    // Standby screen with a note.
    Frame("f_notes", kNotes),
    Picture(6, kNotes, 0, 0, kFull, kScreenHeight, 1),
    Label("lblStandby_operatorname", 0, kNotes, 300, 30, 915, 240, 2, kStandbyName),
    Label("lblStandby_operatorname", 1, kNotes, 300, 30, 915, 240, 2, kStandbyName),
    Label("lblStandby_operatorname", 3, kNotes, 300, 30, 915, 240, 2, kStandbyName),
    Label("lblStandby_operatorname", 4, kNotes, 300, 30, 915, 240, 2, kStandbyName),
    Label("lblStandby_operatorname", 2, kNotes, 300, 30, 915, 240, 3, kStandbyName),
    Label("lblStandby_time", 0, kNotes, 200, 250, 1115, 360, 2, kClock),
    Label("lblStandby_time", 2, kNotes, 200, 250, 1115, 360, 2, kClock),
    Label("lblStandby_time", 3, kNotes, 200, 250, 1115, 360, 2, kClock),
    Label("lblStandby_time", 4, kNotes, 200, 250, 1115, 360, 2, kClock),
    Label("lblStandby_time", 1, kNotes, 200, 250, 1115, 360, 3, kClock),
    Label("lblNotesText", kNoIndex, kNotes, 120, 670, 1275, 440, 4, kNote),
    Shape("shapeNotesBorder", kNoIndex, kNotes, 90, 640, 1335, 500, 5, true, kBorder),

    // Desktop. The title's copies stay hidden until element 37 decides which of them show.
    Frame("f_Setting", kSetting),
    Picture(1, kSetting, 0, 0, kFull, kScreenHeight, 1),
    Label("lblText", 41, kSetting, 30, 60, 1455, 260, 2, kDesktopTitle, {}, false),
    Label("lblText", 42, kSetting, 30, 60, 1455, 260, 2, kDesktopTitle, {}, false),
    Label("lblText", 43, kSetting, 30, 60, 1455, 260, 2, kDesktopTitle, {}, false),
    Label("lblText", 44, kSetting, 30, 60, 1455, 260, 2, kDesktopTitle, {}, false),
    Label("lblText", 34, kSetting, 30, 60, 1455, 260, 3, kDesktopTitle),

    // Menu list under the medium title picture (27 pixels high).
    Frame("f_Phonebook", kPhonebook),
    Picture(2, kPhonebook, 0, 0, kFull, 405, 1),
    Label("lblTitle_text", 6, kPhonebook, 0, 0, kFull + 20, kBarHeight + 10, 2, kBar),
    Label("lblTitle_text", 0, kPhonebook, -10, -10, kFull + 20, kBarHeight + 10, 3, kTitle),
    Row(0, kPhonebook, 240, 240, 4, kRow),
    Row(1, kPhonebook, 480, 240, 4, kRow),
    Row(2, kPhonebook, 720, 240, 4, kRow),
    Row(3, kPhonebook, 960, 240, 4, kRow),
    Row(4, kPhonebook, 1200, 240, 4, kRow),

    // Menu list under the small title picture (20 pixels high).
    Frame("f_sms", kSms),
    Picture(3, kSms, 0, 0, kFull, 300, 1),
    Label("lblTitle_text", 7, kSms, 0, 0, kFull + 20, 210, 2, kBar),
    Label("lblTitle_text", 2, kSms, -10, -10, kFull + 20, 210, 3, kTitle),
    Row(50, kSms, 200, 175, 4, kSmallRow),
    Row(51, kSms, 375, 175, 4, kSmallRow),
    Row(52, kSms, 550, 175, 4, kSmallRow),
    Row(53, kSms, 725, 175, 4, kSmallRow),
    Row(54, kSms, 900, 175, 4, kSmallRow),
    Row(55, kSms, 1075, 175, 4, kSmallRow),
    Row(56, kSms, 1250, 175, 4, kSmallRow),

    // Text entry in menu colours; the input-language hint borrows the popup colours.
    Frame("f_Write_New", kWriteNew),
    Label("lblTitle_text", 3, kWriteNew, 0, 0, kFull, kBarHeight, 1, kBar),
    Label("lblText", 15, kWriteNew, 0, 240, kFull, 200, 1, kRow),
    Label("lblText", 16, kWriteNew, 0, 440, kFull, 760, 1, kRow),
    Label("lblText", 24, kWriteNew, 40, 470, 120, 200, 2, kCursor, "|"),
    Label("lblPromptText", 0, kWriteNew, 655, 1020, 840, 165, 2, kHint),

    // Calendar month: October 2001 begins on a Monday; the cursor stands on Saturday the 6th.
    Frame("f_calendar", kCalendar),
    Label("lblTitle_text", 5, kCalendar, 0, 0, kFull + 20, kBarHeight, 1, kBar),
    Picture(4, kCalendar, 0, 0, kFull, kBarHeight, 2),
    Label("lblTitle_text", 8, kCalendar, -10, -10, kFull + 20, kBarHeight, 3, kTitle),
    Label("lblText", 32, kCalendar, 0, 240, kFull, 960, 1, kRow),
    Label("lblText", 22, kCalendar, 0, 290, 1080, 180, 2, kWeekdays, "1 2 3 4 5"),
    Label("lblText", 23, kCalendar, 0, 470, 1080, 180, 2, kWeekdays, "8 9 10 11 12"),
    Label("lblText", 25, kCalendar, 0, 650, 1080, 180, 2, kWeekdays, "15 16 17 18 19"),
    Label("lblText", 26, kCalendar, 0, 830, 1080, 180, 2, kWeekdays, "22 23 24 25 26"),
    Label("lblText", 27, kCalendar, 0, 1010, 1080, 180, 2, kWeekdays, "29 30 31"),
    Label("lblText", 33, kCalendar, 1080, 290, 216, 180, 2, kWeekendDay, "6"),
    Label("lblText", 28, kCalendar, 1296, 290, 216, 180, 2, kWeekendDay, "7"),
    Label("lblText", 29, kCalendar, 1080, 470, 432, 180, 2, kWeekendPair, "13 14"),
    Label("lblText", 30, kCalendar, 1080, 650, 432, 180, 2, kWeekendPair, "20 21"),
    Label("lblText", 31, kCalendar, 1080, 830, 432, 180, 2, kWeekendPair, "27 28"),

    // WAP page: five underlined links.
    Frame("f_wap", kWap),
    Label("lblText", 40, kWap, 0, 0, kFull + 20, kBarHeight, 1, kWapBar),
    Label("lblText", 39, kWap, -10, -10, kFull + 20, kBarHeight, 2, kWapTitle),
    Row(5, kWap, 240, 192, 1, kRow),
    Row(6, kWap, 432, 192, 1, kRow),
    Row(7, kWap, 624, 192, 1, kRow),
    Row(8, kWap, 816, 192, 1, kRow),
    Row(9, kWap, 1008, 192, 1, kRow),
    Line(0, kWap, 30, 390, 375, kLineThickness, 2),
    Line(1, kWap, 30, 582, 345, kLineThickness, 2),
    Line(2, kWap, 30, 774, 540, kLineThickness, 2),
    Line(3, kWap, 30, 966, 600, kLineThickness, 2),
    Line(4, kWap, 30, 1158, 420, kLineThickness, 2),

    // WAP table: a frame with one vertical and one horizontal line; lblText(21) is the page.
    Frame("f_table", kTable),
    Label("lblTitle_text", 4, kTable, 0, 0, kFull + 20, kBarHeight, 1, kBar, "WAP"),
    Picture(5, kTable, 0, 0, kFull, kBarHeight, 2),
    Label("lblTitle_text", 1, kTable, -10, -10, kFull + 20, kBarHeight, 3, kTitle, "WAP"),
    Label("lblText", 21, kTable, 0, 240, kFull, 960, 1, kRow),
    Label("lblText", 17, kTable, 105, 375, 630, 270, 2, kCell, "A1"),
    Label("lblText", 18, kTable, 780, 375, 630, 270, 2, kCell, "B1"),
    Label("lblText", 19, kTable, 105, 675, 630, 270, 2, kCell, "A2"),
    Label("lblText", 20, kTable, 780, 675, 630, 270, 2, kCell, "B2"),
    Shape("ShapeWapTable", kNoIndex, kTable, 90, 360, 1335, 600, 3, true, kBorder),
    Line(5, kTable, 750, 360, kLineThickness, 600, 3),
    Line(6, kTable, 90, 653, 1335, kLineThickness, 3),

    // Popup menu.
    Frame("f_options2", kOptions2),
    Label("lblPopup_title_text", 0, kOptions2, 0, 0, kFull + 40, kBarHeight + 20, 1, kBar),
    Label("lblPopup_title_text", 3, kOptions2, -20, -20, kFull + 40, kBarHeight + 20, 2, kTitle),
    Label("lblPopup_text", 0, kOptions2, 0, 240, kFull, 240, 3, kRow),
    Label("lblPopup_text", 1, kOptions2, 0, 480, kFull, 240, 3, kRow),
    Label("lblPopup_text", 2, kOptions2, 0, 720, kFull, 240, 3, kRow),
    Label("lblPopup_text", 3, kOptions2, 0, 960, kFull, 240, 3, kRow),

    // Popup menu with disabled items.
    Frame("f_Options1", kOptions1),
    Label("lblPopup_title_text", 2, kOptions1, 0, 0, kFull + 40, kBarHeight + 20, 1, kBar),
    Label("lblPopup_title_text", 1, kOptions1, -20, -20, kFull + 40, kBarHeight + 20, 2, kTitle),
    Label("lblPopup_text", 9, kOptions1, 0, 240, kFull, 240, 3, kRow),
    Label("lblPopup_text", 8, kOptions1, 0, 480, kFull, 240, 3, kRow),
    Label("lblPopup_text", 5, kOptions1, 0, 720, kFull, 240, 3, kRow),
    Label("lblPopup_text", 4, kOptions1, 0, 960, kFull, 240, 3, kRow),

    // Popup text entry.
    Frame("f_EditWord", kEditWord),
    Label("lblText", 36, kEditWord, 0, 0, kFull + 20, kBarHeight + 10, 1, kBar),
    Label("lblText", 37, kEditWord, -10, -10, kFull + 20, kBarHeight + 10, 2, kTitle),
    Label("lblText", 38, kEditWord, 0, 240, kFull, 200, 1, kRow),
    Label("lblPopup_text", 6, kEditWord, 0, 440, kFull, 760, 1, kRow),
    Label("lblPopup_text", 11, kEditWord, 40, 470, 120, 200, 2, kCursor, "|"),
    Label("lblPromptText", 1, kEditWord, 655, 1020, 840, 165, 2, kHint),

    // Calling popup over the menu background, with a progress bar.
    Frame("f_calling", kCalling),
    Label("lblPopup_text", 13, kCalling, 105, 150, 1305, 900, 1, kCaller, "0123 456 789"),
    Label("lblPopup_text", 10, kCalling, 105, 210, 1305, 240, 2, kCallingText),
    Shape("ShapeProgressBar", 0, kCalling, 255, 830, 1005, 120, 2, false, kBorder),
    Shape("ShapeProgressBar", 1, kCalling, 255, 830, 420, 120, 3, false, kBorder),
};

}  // namespace

// Row 0: standby, desktop and the two menu lists; row 1: the other screens in menu colours;
// row 2: the popups.
const std::array<ScreenDef, kScreenCount> kScreens = {{
    {"f_operaotr", 0, 0},
    {"f_Setting", 2, 0},
    {"f_Phonebook", 3, 0},
    {"f_notes", 1, 0},
    {"f_calling", 3, 2},
    {"f_sms", 4, 0},
    {"f_Write_New", 0, 1},
    {"f_EditWord", 2, 2},
    {"f_Options1", 1, 2},
    {"f_options2", 0, 2},
    {"f_calendar", 1, 1},
    {"f_wap", 2, 1},
    {"f_table", 3, 1},
}};

int ScreenLeft(int screen) { return kScreenGap + kScreens[screen].column * (kScreenWidth + kScreenGap); }
int ScreenTop(int screen) { return kScreenGap + kScreens[screen].row * (kScreenHeight + kScreenGap); }

int PreviewWidthTwips() { return kScreenGap + kScreenColumns * (kScreenWidth + kScreenGap); }

int PreviewHeightTwips() {
    int rows = 0;
    for (const ScreenDef& s : kScreens) rows = s.row + 1 > rows ? s.row + 1 : rows;
    return kScreenGap + rows * (kScreenHeight + kScreenGap);
}

std::span<const ItemDef> PreviewItems() { return kItems; }

}  // namespace tintora
