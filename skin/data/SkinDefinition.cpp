#include "skin/data/SkinDefinition.h"

#include "base/Bmp.h"
#include "skin/data/SkinDefinitionParser.h"
#include "skin/data/SkinRead.h"

#include <algorithm>

namespace kv {
namespace detail {

SkinColour DefinitionParser::Colour(std::string_view section, std::string_view key,
                                    SkinColour fallback) const {
    const std::string text = ini.ReadString(section, key);
    return text.empty() ? fallback : ParseColour(text);
}

int32_t DefinitionParser::FrameCount(std::string_view section, std::string_view key,
                                     int32_t fallback) const {
    const int32_t count = Int(section, key, fallback);
    return count < 1 ? fallback : count;
}

void DefinitionParser::ReadBorders() {
    TDataSkinBorder* pieces[] = {&def.BorderLeft, &def.BorderRight, &def.BorderTop,
                                 &def.BorderBottom};
    for (TDataSkinBorder* piece : pieces) {
        const std::string& n = piece->Name;
        const int32_t start = Int("Personality", n + "TopHeight", 0);
        const int32_t end = Int("Personality", n + "BotHeight", 0);
        const bool vertical = n == "Left" || n == "Right";
        piece->TopHeight = vertical ? start : 0;
        piece->BottomHeight = vertical ? end : 0;
        piece->LeftWidth = vertical ? 0 : start; // along the piece's length
        piece->RightWidth = vertical ? 0 : end;
        piece->FrameCount = FrameCount("Personality", n + "Frame", 1);
        piece->Tile = Int("Personality", n + "Stretch", 1);
        piece->Trans = Int("Personality", n + "Trans", 1);
        Image(piece->Bitmap, "Personality", n);
    }
}

void DefinitionParser::ReadNamedColours() {
    auto read = [&](std::string_view key, SkinColour fallback) {
        return Colour("Colours", key, fallback);
    };
    def.WindowTextColour = read("WindowText", SystemColour(kColorWindowText));
    def.ButtonFaceColour = read("ButtonFace", SystemColour(kColorButtonFace));
    def.ScrollbarColour = read("Scrollbar", SystemColour(kColorScrollbar));
    def.HilightTextColour = read("HilightText", SystemColour(kColorHighlightText));
    def.HilightColour = read("Hilight", SystemColour(kColorHighlight));
    def.MenubarColour = read("Menubar", def.ButtonFaceColour);
    def.MenuColour = read("Menu", SystemColour(kColorMenu));
    def.MenuTextColour = read("MenuText", SystemColour(kColorMenuText));
    def.ButtonTextColour = read("ButtonText", SystemColour(kColorButtonText));
    def.ButtonHilightColour = read("ButtonHilight", SystemColour(kColorButtonHighlight));
    // The light and dark-shadow defaults are the highlight and shadow colours, not their own.
    def.ButtonLightColour = read("Buttonlight", SystemColour(kColorButtonHighlight));
    def.ButtonShadowColour = read("ButtonShadow", SystemColour(kColorButtonShadow));
    def.ButtonDkShadowColour = read("ButtonDkShadow", SystemColour(kColorButtonShadow));
    def.MenuBarTextColour = read("MenuBarText", SystemColour(kColorMenuText));
    def.TitleTextActiveColour = read("TitleTextActive", SystemColour(kColorCaptionText));
    def.TitleTextNoActiveColour =
        read("TitleTextNoActive", SystemColour(kColorInactiveCaptionText));
}

void DefinitionParser::ReadColourTable() {
    def.ColourTable.clear();
    for (std::string_view section : ini.SectionNames()) {
        const std::string upper = UpperAscii(section);
        if (upper.starts_with("COLOUR") && upper != "COLOURS")
            def.ColourTable.push_back(Colour(section, "color", SystemColour(kColorWindowText)));
    }
}

void DefinitionParser::ReadSysButtons() {
    def.SysButtons.clear();
    for (std::string_view section : ini.SectionNames()) {
        const std::string upper = UpperAscii(section);
        if (!upper.starts_with("BUTTON") || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
            upper == "BUTTON.CHECKBOX")
            continue;
        if (def.SysButtons.size() == kMaxSysButtonSections) break;
        auto b = std::make_unique<TDataSkinSysButton>(upper);
        b->Action = Int(section, "Action", 0);
        b->Align = Int(section, "Align", 0);
        b->XCoord = Int(section, "Xcoord", 0);
        b->YCoord = Int(section, "Ycoord", 0);
        b->Visibility = Int(section, "Visibility", 0);
        b->Visibility1 = Int(section, "Visibility1", 0);
        b->CombineOp = Int(section, "CombineOp", -1);
        b->FrameCount = Int(section, "frame", 0);
        Image(b->Bitmap, section, "ButtonImage");
        if (b->FrameCount < 1) { // not given (or unusable): derive it from the image
            b->FrameCount = 6;
            if (!b->Bitmap.Empty())
                b->FrameCount = double(b->Bitmap.Width()) / b->Bitmap.Height() <= 3.8 ? 3 : 6;
            if (b->Action < 0) b->FrameCount = 6;
            if (b->Action == 3 || b->Action == 11) b->Bitmap = PixelBuffer();
        }
        def.SysButtons.push_back(std::move(b));
    }
    ReadMdiButtons(def.SysButtons.size());
}

void DefinitionParser::ReadMdiButtons(size_t first) {
    for (int32_t action : {7, 8, 9}) {
        auto b = std::make_unique<TDataSkinSysButton>("");
        b->Action = action;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->FrameCount = 4;
        def.SysButtons.push_back(std::move(b));
    }
    PixelBuffer strip;
    Image(strip, "MDICONTROLS", "Image");
    if (strip.Empty()) return;
    const int c = strip.Width() / 12; // three buttons of four frames
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& b = *def.SysButtons[first + size_t(i)];
        b.XCoord = (c + 4) * (3 - i);
        if (c == 0 || !b.Bitmap.Resize(4 * c, strip.Height())) continue;
        for (int y = 0; y < strip.Height(); ++y)
            std::copy_n(strip.View().Row(y) + 4 * c * i, 4 * c, b.Bitmap.View().Row(y));
    }
}

void DefinitionParser::ReadButtons() {
    TDataSkinButton& b = def.Buttons;
    b.LeftWidth = Int("Buttons", "LeftWidth", 0);
    b.RightWidth = Int("Buttons", "RightWidth", 0);
    b.TopHeight = Int("Buttons", "TopHeight", 0);
    b.BottomHeight = Int("Buttons", "BottomHeight", 0);
    b.Trans = Int("Buttons", "Trans", 0);
    Image(b.Bitmap, "Buttons", "Bitmap");
    b.Tile = Int("Buttons", "Tile", 0);
    Image(b.CheckBitmap, "Buttons", "CheckButton");
    Image(b.RadioBitmap, "Buttons", "RadioButton");
    b.NormalColour = Int("Buttons", "NormalColour", -1);
    b.MouseOverColour = Int("Buttons", "MouseOverColour", -1);
    b.PressedColour = Int("Buttons", "PressedColour", -1);
    b.RadioFrameCount = Int("Buttons", "RadioButtonFrame", 0);
    b.CheckFrameCount = Int("Buttons", "CheckButtonFrame", 0);
    b.NormalColour2 = Colour("Buttons", "NormalColour2", def.ButtonTextColour);
    b.MouseOverColour2 = Colour("Buttons", "MouseOverColour2", def.ButtonTextColour);
    b.PressedColour2 = Colour("Buttons", "PressedColour2", def.ButtonTextColour);
}

void DefinitionParser::ReadTitle() {
    TDataSkinTitle& t = def.Title;
    Image(t.Bitmap, "Personality", "TextBack");
    t.TextShift() = Int("Personality", "TextShift", 0);
    t.TextShiftVert() = Int("Personality", "TextShiftVert", 0);
    t.TextRightClip() = Int("Personality", "TextRightClip", 0);
    t.BottomHeight = 0;
    t.TextAlignment = Int("Personality", "TextAlignment", 0);
    t.TextBackground = Int("Personality", "Textbackground", 0);
    t.FontHeight = Int("Fonts", "FontHeight", 14);
    t.TextBackLeft = Int("Personality", "TXTBackleft", 0);
    t.TextBackRight = Int("Personality", "TXTBackRight", 0);
    auto rgb = [&](const std::string& prefix) {
        const int32_t r = Int("Personality", prefix + "R", -1);
        const int32_t g = Int("Personality", prefix + "G", -1);
        const int32_t b = Int("Personality", prefix + "B", -1);
        if (r < 0 || g < 0 || b < 0) return TDataSkinTitle::kNoColour;
        return RgbColour(uint32_t(r), uint32_t(g), uint32_t(b));
    };
    t.ActiveTextColour = rgb("ActiveText");
    t.InactiveTextColour = rgb("InActiveText");
}

} // namespace detail

TSkinDefinition::TSkinDefinition() = default;

SkinColour TSkinDefinition::TableColour(int32_t index, SkinColour fallback) const {
    if (index < 0 || size_t(index) >= ColourTable.size()) return fallback;
    return ColourTable[size_t(index)];
}

std::unique_ptr<TSkinDefinition> ParseSkinDefinition(std::string_view iniText,
                                                     const SkinEntryLookup& entries) {
    auto def = std::make_unique<TSkinDefinition>();
    const TIniFile ini(iniText);
    detail::DefinitionParser p{ini, entries, *def};
    def->SkinName = ini.ReadString("TitlebarSkin", "SkinName");
    p.ReadBorders();
    p.ReadNamedColours();
    p.ReadColourTable();
    p.ReadSysButtons();
    p.ReadButtons();
    p.ReadTitle();
    p.ReadProgress();
    p.ReadMenuBar();
    p.ReadImageObjects();
    p.DeriveFrameCounts();
    return def;
}

void LoadEntryBitmap(PixelBuffer& image, std::string_view value, const SkinEntryLookup& entries) {
    image = PixelBuffer();
    const size_t slash = value.find_last_of("\\:");
    const std::string_view name = slash == std::string_view::npos ? value : value.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return;
    const std::span<const uint8_t> bytes = entries ? entries(name) : std::span<const uint8_t>();
    if (!bytes.empty()) image = DecodeBmp(bytes);
}

SkinEntryLookup PackageLookup(const TSkinReader& reader) {
    return [&reader](std::string_view name) -> std::span<const uint8_t> {
        const std::string folded = FoldLower(name);
        const auto& names = reader.Names();
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] != folded) continue;
            return reader.Entry(i).value_or(std::span<const uint8_t>());
        }
        return {};
    };
}

std::unique_ptr<TSkinDefinition> LoadSkinDefinition(const TSkinReader& reader) {
    std::vector<uint8_t> text;
    std::string name;
    if (!reader.ExtractEntryContaining(".ini", text, name)) return nullptr;
    const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
    return ParseSkinDefinition(view, PackageLookup(reader));
}

std::unique_ptr<TSkinDefinition> LoadPackedSkin(std::span<const uint8_t> packed) {
    TSkinReader reader;
    if (!reader.OpenPackage(packed)) return nullptr;
    return LoadSkinDefinition(reader);
}

} // namespace kv
