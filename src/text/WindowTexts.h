#pragma once
// Base numbers of the editor's captions and of the questions and warnings its flows ask and show.

namespace tintora {

// The tabs, in the catalogue's order.
inline constexpr int kTextTabStandby = 110;
inline constexpr int kTextTabMenu = 111;
inline constexpr int kTextTabPopup = 112;
inline constexpr int kTextTabMisc = 113;
inline constexpr int kTextTabImage = 114;
inline constexpr int kTextTabFiles = 115;

// Buttons and labels of the window.
inline constexpr int kTextCreatedLabel = 116;  // the Files tab's info frame: the theme's date
inline constexpr int kTextSizeLabel = 117;     // and the file's size
inline constexpr int kTextInfo = 119;         // the Info button and the Files tab's info frame
inline constexpr int kTextRead = 120;
inline constexpr int kTextSave = 121;
inline constexpr int kTextReset = 122;
inline constexpr int kTextExit = 123;
inline constexpr int kTextSelect = 124;       // the colour rows' and slot rows' buttons
inline constexpr int kTextSlotOn = 125;       // a slot row's switch while the slot is on
inline constexpr int kTextSlotOff = 126;
inline constexpr int kTextNotLoaded = 127;    // a slot row's picture state
inline constexpr int kTextLoaded = 128;
inline constexpr int kTextWait = 129;         // a file button while its work runs
inline constexpr int kTextSaveAs = 130;
inline constexpr int kTextSelectDrive = 131;
inline constexpr int kTextParentFolder = 153;  // the browser's entry for the folder above
inline constexpr int kTextCurrentFolder = 154;
inline constexpr int kTextAbout = 290;
inline constexpr int kTextSafeCheck = 291;    // the button that checks the colours for the phone

// The information dialog.
inline constexpr int kTextThemeNameLabel = 132;
inline constexpr int kTextModifiedByLabel = 133;
inline constexpr int kTextCreatedByLabel = 134;
inline constexpr int kTextOk = 135;
inline constexpr int kTextSkip = 136;
inline constexpr int kTextSaveAsDefault = 137;
inline constexpr int kTextUseDefault = 138;
inline constexpr int kTextAddInformation = 139;  // the dialog's title
inline constexpr int kTextCancel = 296;

// File dialogs, questions and warnings.
inline constexpr int kTextSelectPicture = 148;      // the picture file dialog's title
inline constexpr int kTextCreateTheme = 150;        // the Save As dialog's title
inline constexpr int kTextOverwriteFile = 151;
inline constexpr int kTextWarning = 152;            // the title of a warning or question
inline constexpr int kTextPictureSizeIs = 275;      // followed by the picture's size
inline constexpr int kTextPictureSizeNeeded = 276;  // followed by the slot's size
inline constexpr int kTextIncorrectPictureSize = 277;
inline constexpr int kTextEraseSavedTheme = 295;    // asked before Save writes over the theme's file

}  // namespace tintora
