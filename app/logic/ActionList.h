#pragma once
// Action list files and the editor's rules, on plain bytes.
//
// An action list file holds one "name;description" pair per line in the system's code page;
// the name ends at the first ";". Lines end with CR LF, CR or LF when read and are written with
// CR LF after every entry. Nothing is trimmed on reading and every byte (NUL included) is data.
//
// Contract: every function accepts any input of any length and never reads out of bounds;
// nothing here touches files.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::app {

using Lines = std::vector<std::string>;

// The lines of a file's bytes. A last line without a line end counts; a line end at the very
// end does not start another line; an empty file has no lines.
Lines SplitLines(std::string_view bytes);

// The bytes of a file holding `lines`: each followed by CR LF.
std::string JoinLines(const Lines& lines);

struct ActionPair {
    std::string name;        // text before the first ";", or empty when the line has none
    std::string description; // text after it, or the whole line when it has none
};
ActionPair SplitPair(std::string_view line);

// What the main window shows and plays for a list of file lines: `descriptions[i]` is shown,
// `names[i]` is played.
struct ActionTable {
    Lines names;
    Lines descriptions;
};
ActionTable TableFromLines(const Lines& lines);

// The editor's working lines when the file is missing: names[i] + ";" + shown[i].
Lines EditorLinesFromTable(const Lines& names, const Lines& shown);

// The framework's trim: drops bytes up to and including the blank (control bytes too) at both
// ends. Safe on double-byte text: no lead or trail byte of GB2312 or Big5 is below 0x40.
std::string TrimBlanks(std::string_view text);

// The editor's check of its two edits before a pair is stored.
struct InputCheck {
    bool valid = false;
    bool descriptionDefaulted = false; // English: the description becomes the name as typed
};
InputCheck ValidateInput(uint8_t interfaceLanguage, std::string_view name,
                         std::string_view description);

// The stored line for the edits: trimmed name + ";" + trimmed description.
std::string MakeEntry(std::string_view name, std::string_view description);

} // namespace kv::app
