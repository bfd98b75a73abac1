// The control images of a skin definition and the frame counts derived at the end.
#include "skin/data/SkinDefinitionParser.h"
#include "skin/data/Transforms.h"

#include <algorithm>

namespace kv::detail {
namespace {

// One image object: its section, the key of its second image (border kinds only) and the
// number of state frames its image holds.
template <class T> struct ImageSlot {
    std::unique_ptr<T>& slot;
    const char* section;
    int32_t frames;
    const char* secondKey = nullptr;
};

void ReadColours(const DefinitionParser& p, std::string_view section, TDataSkinObject& o) {
    o.NormalColour = p.Int(section, "NormalColour", -1);
    o.MouseOverColour = p.Int(section, "MouseOverColour", -1);
    o.PressedColour = p.Int(section, "PressedColour", -1);
    o.NormalColour2 = p.Colour(section, "NormalColour2", p.def.ButtonTextColour);
    o.MouseOverColour2 = p.Colour(section, "MouseOverColour2", p.def.ButtonTextColour);
    o.PressedColour2 = p.Colour(section, "PressedColour2", p.def.ButtonTextColour);
}

void ReadMargins(const DefinitionParser& p, std::string_view section, TDataSkinObject& o) {
    o.LeftWidth = p.Int(section, "LeftWidth", 0);
    o.RightWidth = p.Int(section, "RightWidth", 0);
    o.TopHeight = p.Int(section, "TopHeight", 0);
    o.BottomHeight = p.Int(section, "BottomHeight", 0);
    o.Trans = p.Int(section, "Trans", 0);
    o.Tile = p.Int(section, "Tile", 0);
}

template <class T> void ReadImageObject(const DefinitionParser& p, const ImageSlot<T>& s) {
    s.slot.reset();
    const std::string value = p.ini.ReadString(s.section, "Image");
    if (value.empty()) return;
    auto o = std::make_unique<T>(s.section);
    LoadEntryBitmap(o->Bitmap, value, p.entries);
    ReadMargins(p, s.section, *o);
    ReadColours(p, s.section, *o);
    if constexpr (std::is_same_v<T, TDataSkinBorder>) {
        p.Image(o->Bitmap2, s.section, s.secondKey);
    } else {
        o->Style = p.Int(s.section, "Style", 0);
    }
    if (o->Tile > 1) o->Tile = 0;
    o->FrameCount = s.frames;
    s.slot = std::move(o);
}

// Check and radio strips hold square-ish cells: 13 pixels wide when the strip is under 16
// high, else 16; a skin always gets at least four.
int32_t DeriveStripFrames(int32_t given, const PixelBuffer& image) {
    if (given >= 1) return given;
    const int32_t cell = image.Height() < 16 ? 13 : 16;
    return std::max(image.Width() / cell, 4);
}

} // namespace

void DefinitionParser::ReadProgress() {
    def.Progress.reset();
    const std::string value = ini.ReadString("Progress", "Bitmap");
    if (value.empty()) return;
    auto o = std::make_unique<TDataSkinBorder>("Progress");
    LoadEntryBitmap(o->Bitmap, value, entries);
    const std::string chunk = ini.ReadString("Progress", "Chunk");
    if (!chunk.empty()) LoadEntryBitmap(o->Bitmap2, chunk, entries);
    o->Style = Int("Progress", "Style", 0);
    ReadMargins(*this, "Progress", *o);
    def.Progress = std::move(o);
}

void DefinitionParser::ReadMenuBar() {
    def.MenuBar.reset();
    const std::string value = ini.ReadString("Personality", "menuBar");
    if (value.empty()) return;
    auto o = std::make_unique<TDataSkinObject>("Personality");
    LoadEntryBitmap(o->Bitmap, value, entries);
    o->TopHeight = o->BottomHeight = 0;
    o->Tile = Int("Personality", "TileMenu", 0);
    o->LeftWidth = Int("Personality", "TileLeftMenu", 1);
    o->RightWidth = Int("Personality", "TileRightMenu", 1);
    def.MenuBar = std::move(o);
}

void DefinitionParser::ReadImageObjects() {
    using Plain = ImageSlot<TDataSkinObject>;
    using Border = ImageSlot<TDataSkinBorder>;
    const DefinitionParser& p = *this;
    ReadImageObject(p, Plain{def.GroupBoxEdge, "GroupBoxEdge", 2});
    ReadImageObject(p, Plain{def.Toolbars, "Toolbars", 5});
    ReadImageObject(p, Border{def.Tabs, "Tabs", 5, "Border"});
    ReadImageObject(p, Plain{def.StatusBarEdges, "StatusBarEdges", 3});
    ReadImageObject(p, Border{def.ComboButton, "ComboButton", 4, "****"});
    if (def.ComboButton && !def.ComboButton->Bitmap.Empty()) {
        // The button's second look is its image mirrored, in 24-bit colour.
        PixelBuffer& mirrored = def.ComboButton->Bitmap2;
        mirrored = PixelBuffer(def.ComboButton->Bitmap.Width(), def.ComboButton->Bitmap.Height());
        const PixelView src = def.ComboButton->Bitmap.View();
        for (int y = 0; y < src.height; ++y)
            for (int x = 0; x < src.width; ++x) mirrored.At(x, y) = RgbOf(src.At(x, y));
        MirrorBitmap(mirrored);
    }
    ReadImageObject(p, Plain{def.SunkEdge, "SunkEdge", 4});
    ReadImageObject(p, Plain{def.ExtraImages, "ExtraImages", 5});
    ReadImageObject(p, Plain{def.Headerbar, "Headerbar", 5});
    ReadImageObject(p, Plain{def.MenuItem, "MenuItem", 5});
    ReadImageObject(p, Plain{def.MenuBackground, "MenuBackground", 1});
    ReadImageObject(p, Plain{def.ScrollBar, "Scrollbar", 23});
    ReadImageObject(p, Plain{def.HorzScroll, "HorzScroll", 4});
    ReadImageObject(p, Plain{def.VertScroll, "VertScroll", 4});
    ReadImageObject(p, Plain{def.HorzScrollThumb, "HorzScrollThumb", 3});
    ReadImageObject(p, Plain{def.VertScrollThumb, "VertScrollThumb", 3});
    ReadImageObject(p, Plain{def.TrackThumbHorz, "Trackbar.ThumbHorz", 5});
    ReadImageObject(p, Plain{def.TrackThumbVert, "Trackbar.ThumbVert", 5});
    ReadImageObject(p, Plain{def.TrackThumbLeft, "Trackbar.ThumbLeft", 5});
    ReadImageObject(p, Plain{def.TrackThumbRight, "Trackbar.ThumbRight", 5});
    ReadImageObject(p, Plain{def.TrackThumbUp, "Trackbar.ThumbUp", 5});
    ReadImageObject(p, Plain{def.TrackThumbDown, "Trackbar.ThumbDown", 5});
    ReadImageObject(p, Border{def.UpDownHorz, "UpDown.Horz", 8, "GlyphImage"});
    ReadImageObject(p, Border{def.UpDownVert, "UpDown.Vert", 8, "GlyphImage"});
}

void DefinitionParser::DeriveFrameCounts() {
    def.Title.FrameCount = 2;
    def.Buttons.FrameCount = 5;
    def.Buttons.RadioFrameCount =
        DeriveStripFrames(def.Buttons.RadioFrameCount, def.Buttons.RadioBitmap);
    def.Buttons.CheckFrameCount =
        DeriveStripFrames(def.Buttons.CheckFrameCount, def.Buttons.CheckBitmap);
    if (def.MenuBar) def.MenuBar->FrameCount = 2;
    if (def.Progress) def.Progress->FrameCount = 2;
    if (def.HorzScrollThumb)
        def.HorzScrollThumb->FrameCount = FrameCount("HorzScrollThumb", "FrameCount", 3);
    if (def.VertScrollThumb)
        def.VertScrollThumb->FrameCount = FrameCount("VertScrollThumb", "FrameCount", 3);
}

} // namespace kv::detail
