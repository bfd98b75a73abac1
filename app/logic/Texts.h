#pragma once
// The viewer's interface texts in its three languages, as the byte strings the program shows.
//
// Contract: every text is a static byte string in the code page of its language (English in
// ASCII, Simplified Chinese in GB2312 / code page 936, Traditional Chinese in Big5 / code page
// 950). Views stay valid for the whole program. `TextsFor` accepts any byte: values above 2 give
// the English table, so a caller can never index out of range.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv::app {

// The value of the shared `InterfaceLanguage` byte.
enum : uint8_t { kEnglish = 0, kSimplifiedChinese = 1, kBig5 = 2 };

// The maker's web address (no scheme) and the texts built from it.
inline constexpr std::string_view kWebAddress = "kelvorine.example.org";
inline constexpr std::string_view kWebsiteUrl = "http://kelvorine.example.org";
inline constexpr std::string_view kWebsiteHint = "Website of this software";
inline constexpr std::string_view kAssociationDescription = "Kelvorine (kelvorine.example.org)";
inline constexpr std::string_view kAboutNotice = "(C) kelvorine.example.org";

// Texts that are the same in every language.
inline constexpr std::string_view kMainCaption = "Kelvorine";
inline constexpr std::string_view kApplicationTitle = "MS Kelvorine";
inline constexpr std::string_view kEditorCaption = "Edit Action List";
inline constexpr std::string_view kCanNotOpen = "Can not Open ";
inline constexpr std::string_view kGreeting = "Hello, can i help you?";
inline constexpr std::string_view kOpenDialogTitle = "Open File";
inline constexpr std::string_view kOpenDialogFilter = "MS Agent Character(*.acs)|*.acs";
inline constexpr std::string_view kAboutOk = "&Ok";
inline constexpr std::string_view kSettingsFile = "Kelvorine.ini";
inline constexpr std::string_view kSettingsSection = "InterFace";
inline constexpr std::string_view kSettingsKey = "LanguageID";

struct LanguageTexts {
    // Main window: actions, menu items and the action list file of the language.
    std::string_view openCaption;
    std::string_view openHint;
    std::string_view closeCaption;
    std::string_view closeHint;
    std::string_view quitCaption;
    std::string_view showCaption;
    std::string_view showHint;
    std::string_view hideCaption;
    std::string_view hideHint;
    std::string_view aboutCaption;
    std::string_view aboutHint;
    std::string_view editActionList;
    std::string_view fileAssociated;
    std::string_view fileMenu;
    std::string_view viewMenu;
    std::string_view helpMenu;
    std::string_view actionListFile;
    // Action list editor.
    std::string_view editorLabel1;
    std::string_view editorLabel2;
    std::string_view editorLabel3;
    std::string_view editorAdd;
    std::string_view editorReplace;
    std::string_view editorDelete;
    std::string_view editorSaveQuit;
    std::string_view mustInput;
    // Messages.
    std::string_view unableTo; // glued between the character name and the animation name
    std::string_view associateOk;
    std::string_view associateFail;
    // About box.
    std::string_view aboutTitle;
    std::string_view notInstalled; // lines joined by CR LF
    // Font specs (see FontSpec.h) of the main window, the editor and the about box.
    std::string_view mainFont;
    std::string_view editorFont;
    std::string_view aboutFont;
    std::string_view aboutWebTarget;
    std::string_view aboutBody;
};

const LanguageTexts& TextsFor(uint8_t interfaceLanguage);

// The spoken text when a character cannot play `animation`: the name, the phrase and the
// animation glued together without blanks, then "!".
std::string PlayFailureText(uint8_t interfaceLanguage, std::string_view characterName,
                            std::string_view animation);

} // namespace kv::app
