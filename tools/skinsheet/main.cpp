// skinsheet DIR OUT.bmp: every BMP of a skin folder scaled up on a checkerboard (magenta shown
// as the board), and a sample window composed from the folder's definition.
#include "base/Bmp.h"
#include "skin/data/SkinDefinition.h"
#include "skin/form/draw/SkinDraw.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;
using namespace kv;

namespace {

std::vector<uint8_t> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Blit(PixelBuffer& dst, const PixelBuffer& src, int x0, int y0, int scale) {
    for (int y = 0; y < src.Height() * scale; ++y)
        for (int x = 0; x < src.Width() * scale; ++x) {
            const int tx = x0 + x, ty = y0 + y;
            if (tx < 0 || ty < 0 || tx >= dst.Width() || ty >= dst.Height()) continue;
            Pixel p = RgbOf(src.At(x / scale, y / scale));
            if (p == kMagenta) p = ((tx / 4 + ty / 4) % 2) ? 0xD0D0D0 : 0xF8F8F8;
            dst.At(tx, ty) = p;
        }
}

PixelRect Margins(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

// A window as the frame code composes it: borders, caption, buttons, menu bar and controls.
void DrawWindow(PixelView t, int x0, int y0, int w, int h, const TSkinDefinition& d, bool active) {
    const int frame = active ? 1 : 2;
    const int bl = d.BorderLeft.Bitmap.Width() / d.BorderLeft.FrameCount;
    const int br = d.BorderRight.Bitmap.Width() / d.BorderRight.FrameCount;
    const int bb = d.BorderBottom.Bitmap.Height() / d.BorderBottom.FrameCount;
    const int ch = d.BorderTop.Bitmap.Height() / d.BorderTop.FrameCount;
    const int mh = 20;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) t.At(x, y) = ToPixel(d.ButtonFaceColour);
    auto piece = [&](const TDataSkinBorder& p, PixelRect r, bool stacked) {
        DrawNineSlice(t, r, p.Bitmap.View(), stacked, p.Tile == 1, true, p.FrameCount, frame,
                      Margins(p));
    };
    piece(d.BorderLeft, {x0, y0, x0 + bl, y0 + h}, false);
    piece(d.BorderRight, {x0 + w - br, y0, x0 + w, y0 + h}, false);
    piece(d.BorderBottom, {x0 + bl, y0 + h - bb, x0 + w - br, y0 + h}, true);
    piece(d.BorderTop, {x0 + bl, y0, x0 + w - br, y0 + ch}, true);
    if (d.MenuBar)
        DrawNineSlice(t, {x0 + bl, y0 + ch, x0 + w - br, y0 + ch + mh}, d.MenuBar->Bitmap.View(),
                      true, false, false, 2, frame, Margins(*d.MenuBar));
    for (const auto& b : d.SysButtons) {
        if (b->Bitmap.Empty() || b->Align != 1) continue;
        const int bw = b->Bitmap.Width() / b->FrameCount;
        const int bx = x0 + w - b->XCoord, by = y0 + b->YCoord;
        const int state = active ? (b->Action == 0 ? 3 : 1) : 4; // show the close button hot
        DrawSkinStrip(t, {bx, by, bx + bw, by + b->Bitmap.Height()}, b->Bitmap.View(), true,
                      b->FrameCount, state);
    }
    const int cy = y0 + ch + mh + 12, cx = x0 + bl + 12;
    const auto& btn = d.Buttons;
    for (int s = 1; s <= 4; ++s)
        DrawNineSlice(t, {cx + (s - 1) * 80, cy, cx + (s - 1) * 80 + 72, cy + 24},
                      btn.Bitmap.View(), false, false, true, 5, s, Margins(btn));
    for (int s = 1; s <= 4; ++s) {
        DrawSkinStrip(t, {cx + (s - 1) * 22, cy + 36, cx + (s - 1) * 22 + 14, cy + 50},
                      btn.CheckBitmap.View(), true, btn.CheckFrameCount, s);
        DrawSkinStrip(t, {cx + 100 + (s - 1) * 22, cy + 36, cx + 100 + (s - 1) * 22 + 14, cy + 50},
                      btn.RadioBitmap.View(), true, btn.RadioFrameCount, s);
    }
    if (d.Progress) {
        const PixelRect r{cx, cy + 60, cx + 200, cy + 74};
        DrawNineSlice(t, r, d.Progress->Bitmap.View(), false, false, true, 2, 1,
                      Margins(*d.Progress));
        DrawNineSlice(t, {r.left, r.top, r.left + 120, r.bottom}, d.Progress->Bitmap.View(), false,
                      false, true, 2, 2, Margins(*d.Progress));
    }
    if (d.HorzScroll && d.ScrollBar && d.HorzScrollThumb) {
        const int sy = y0 + h - bb - 16, sx = x0 + bl, ex = x0 + w - br;
        DrawNineSlice(t, {sx + 16, sy, ex - 16, sy + 16}, d.HorzScroll->Bitmap.View(), false, false,
                      false, 4, 1, Margins(*d.HorzScroll));
        DrawSkinStrip(t, {sx, sy, sx + 16, sy + 16}, d.ScrollBar->Bitmap.View(), true, 23, 1);
        DrawSkinStrip(t, {ex - 16, sy, ex, sy + 16}, d.ScrollBar->Bitmap.View(), true, 23, 7);
        DrawNineSlice(t, {sx + 60, sy, sx + 140, sy + 16}, d.HorzScrollThumb->Bitmap.View(), false,
                      false, true, d.HorzScrollThumb->FrameCount, 1, Margins(*d.HorzScrollThumb));
    }
    if (d.MenuBackground && d.MenuItem) { // an open popup with a selected item
        const PixelRect m{x0 + w - 190, cy + 30, x0 + w - 40, cy + 130};
        DrawNineSlice(t, m, d.MenuBackground->Bitmap.View(), false, true, false, 1, 1,
                      Margins(*d.MenuBackground));
        const auto& mi = *d.MenuItem;
        DrawNineSlice(t, {m.left + 3, m.top + 25, m.right - 3, m.top + 45}, mi.Bitmap.View(), false,
                      false, true, 5, 4, Margins(mi));
        DrawNineSlice(t, {m.left + 3, m.top + 50, m.right - 3, m.top + 58}, mi.Bitmap.View(), false,
                      false, true, 5, 2, Margins(mi));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinsheet DIR OUT.bmp\n");
        return 2;
    }
    std::map<std::string, std::vector<uint8_t>> files;
    std::string ini;
    for (const auto& e : fs::directory_iterator(argv[1])) {
        const std::string name = e.path().filename().string();
        if (e.path().extension() == ".bmp") files[name] = ReadAll(e.path());
        if (e.path().extension() == ".ini") {
            auto bytes = ReadAll(e.path());
            ini.assign(bytes.begin(), bytes.end());
        }
    }
    const int scale = 3, sheetW = 1200;
    PixelBuffer sheet(sheetW, 4000, 0x606060);
    int x = 10, y = 10, rowH = 0;
    for (const auto& [name, bytes] : files) {
        const PixelBuffer img = DecodeBmp(bytes);
        const int s = img.Width() * scale > sheetW - 20 ? 1 : scale;
        if (x + img.Width() * s > sheetW - 10) x = 10, y += rowH + 10, rowH = 0;
        Blit(sheet, img, x, y, s);
        x += img.Width() * s + 10;
        rowH = std::max(rowH, img.Height() * s);
    }
    y += rowH + 20;
    SkinEntryLookup lookup = [&](std::string_view n) -> std::span<const uint8_t> {
        std::string lower(n);
        for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
        auto it = files.find(lower);
        return it == files.end() ? std::span<const uint8_t>()
                                 : std::span<const uint8_t>(it->second);
    };
    auto def = ParseSkinDefinition(ini, lookup);
    DrawWindow(sheet.View(), 10, y, 560, 300, *def, true);
    DrawWindow(sheet.View(), 600, y, 560, 300, *def, false);
    PixelBuffer out(sheetW, y + 320);
    for (int j = 0; j < out.Height(); ++j)
        for (int i = 0; i < sheetW; ++i) out.At(i, j) = sheet.At(i, j);
    const auto bmp = EncodeBmp24(out.View());
    std::ofstream(argv[2], std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    return 0;
}
