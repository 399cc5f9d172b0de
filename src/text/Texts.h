#pragma once
// The numbered text catalogue in English, Swedish and German, and the language in force.

#include <optional>
#include <string>
#include <string_view>

namespace tintora {

enum LanguageOffset : int { kEnglish = 0, kSwedish = 200, kGerman = 400 };

// Every text has an English base number in one of these ranges; each language keeps its own copy
// of a range at its offset, so a number outside them would reach into another language's texts.
// The first range is full; texts added since live in the second (Swedish 901-1099, German
// 1101-1299), which keeps clear of the first range's copies.
inline constexpr int kFirstBaseNumber = 101;
inline constexpr int kLastBaseNumber = 300;
inline constexpr int kFirstAddedBaseNumber = 701;
inline constexpr int kLastAddedBaseNumber = 899;

constexpr bool IsBaseNumber(int number) {
    return (number >= kFirstBaseNumber && number <= kLastBaseNumber) ||
           (number >= kFirstAddedBaseNumber && number <= kLastAddedBaseNumber);
}

// Base numbers of the messages that explain a failure to the user.
inline constexpr int kTextPictureUnreadable = 297;  // followed by the file path
inline constexpr int kTextPictureTooLarge = 298;    // followed by the member name
inline constexpr int kTextSaveFailed = 299;         // followed by the reason
inline constexpr int kTextNoThemeDocument = 300;
inline constexpr int kTextIncompleteColours = 292;  // followed by the colours' names
inline constexpr int kTextSaveAnyway = 293;

// Texts that keep the user's work safe; each reason follows on a line of its own.
inline constexpr int kTextSettingsNotSaved = 701;      // followed by the reason
inline constexpr int kTextDataFolderUnwritable = 702;  // followed by the folder and the reason
inline constexpr int kTextFileTooLarge = 703;
inline constexpr int kTextPictureWrongSize = 704;      // %1 picture, %2 x %3 its size, %4 x %5 the slot's
inline constexpr int kTextPictureNoSize = 705;         // %1 picture, %2 x %3 the slot's size

// Safe editing: the question before work is dropped, undo and redo, and crash recovery.
inline constexpr int kTextSaveChanges = 780;      // %1 the theme's file name
inline constexpr int kTextAnswerSave = 781;
inline constexpr int kTextAnswerDiscard = 782;
inline constexpr int kTextAnswerCancel = 783;
inline constexpr int kTextUndo = 784;
inline constexpr int kTextRedo = 785;
inline constexpr int kTextUndoStep = 786;         // %1 the step
inline constexpr int kTextRedoStep = 787;         // %1 the step
inline constexpr int kTextRestoreQuestion = 788;  // %1 the theme's file name
inline constexpr int kTextAnswerRestore = 789;
inline constexpr int kTextStepColour = 790;       // %1 the element, %2 old value, %3 new value
inline constexpr int kTextStepPicture = 791;      // %1 the picture slot
inline constexpr int kTextStepSlotOn = 792;       // %1 the picture slot
inline constexpr int kTextStepSlotOff = 793;      // %1 the picture slot
inline constexpr int kTextStepInfo = 794;
inline constexpr int kTextStepReset = 795;
inline constexpr int kTextStepOpen = 796;         // %2 the file name
inline constexpr int kTextNewTheme = 797;         // the file name of a theme never saved

// The raw catalogue text stored under `number` (already offset), UTF-8, or nullopt.
std::optional<std::string_view> CatalogueText(int number);

// Language state and lookup. One instance lives for the whole run; nothing is stored.
class Texts {
public:
    // The text of a base number in the language in force; "Missing" when the language lacks
    // it; the number itself in number-display mode for numbers above 109.
    std::string GetText(int number) const;

    int LanguageOffset() const { return offset_; }
    void SetLanguageOffset(int offset) { offset_ = offset; }
    bool ShowTextNumbers() const { return showNumbers_; }
    void SetShowTextNumbers(bool on) { showNumbers_ = on; }

private:
    int offset_ = kEnglish;
    bool showNumbers_ = false;
};

// The maker's address, shown in the window title, the document comment and the preview.
inline constexpr std::string_view kMakerAddress = "tintora.example.org";

}  // namespace tintora
