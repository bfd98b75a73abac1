#include "tools/acstool/build/AcsBuild.h"

#include "agent/acs/AcsImage.h"
#include "base/Bmp.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace kv {

const char* const kAcsDescriptionHelp =
    R"(character.txt: one directive per line; '#' starts a comment; "quoted" texts may hold blanks.
  size W H                      frame size in pixels (required)
  transparent #RRGGBB           key colour of the images (default #FF00FF)
  compress yes|no               compress images (default yes)
  guid XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX
  flags WORD...                 standard-set, size-to-text, no-auto-hide, no-auto-pace
  name LANGID "Name" "Description" ["Extra"]      LANGID like 0x0409; at least one
  balloon LINES CHARS #TEXT #BACK #BORDER "Font" HEIGHT WEIGHT [italic]
  wave ID FILE.wav              a sound that frames name by ID
  state NAME ANIMATION...       e.g. state SHOWING Show
  animation NAME [return OTHER | exit | none]     starts an animation (default none)
  frame CS [FILE.bmp@X,Y]...    a frame lasting CS hundredths of a second; images top-most first
  exit N | exit end             exit frame of the last frame (index, or the end of the exit)
  branch FRAME PERCENT          a random branch of the last frame
  sound ID                      the sound the last frame starts
  mouth SHAPE FILE.bmp@X,Y [replace]   SHAPE: closed wide1 wide2 wide3 wide4 medium narrow
)";

namespace {

struct ImageRef {
    std::string file;
    int x = 0, y = 0;
};

struct Builder {
    explicit Builder(const AcsFileLoader& loader) : load(loader) {}
    const AcsFileLoader& load;
    AcsCharacter c;
    uint32_t key = 0xFF00FF;
    bool compress = true;
    std::map<std::string, uint32_t> imageIndex; // file -> image index, in order of first use
    std::vector<std::string> imageFiles;
    std::map<std::string, uint16_t> sounds;
    int line = 0;
    std::string error;

    bool Fail(const std::string& why) {
        error = "character.txt:" + std::to_string(line) + ": " + why;
        return false;
    }
};

bool Colour(const std::string& s, uint32_t& rgb);

std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            out.push_back(
                line.substr(i + 1, (end == std::string::npos ? line.size() : end) - i - 1));
            i = end == std::string::npos ? line.size() : end + 1;
        } else {
            const size_t end = line.find_first_of(" \t\r", i);
            std::string token =
                line.substr(i, end == std::string::npos ? std::string::npos : end - i);
            uint32_t rgb = 0;
            if (token[0] == '#' && !Colour(token, rgb)) break; // a comment
            out.push_back(std::move(token));
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return out;
}

bool Number(const std::string& s, long long lo, long long hi, long long& out) {
    int base = 10;
    size_t skip = 0;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) base = 16, skip = 2;
    long long v = 0;
    const char* end = s.data() + s.size();
    auto r = std::from_chars(s.data() + skip, end, v, base);
    if (r.ec != std::errc() || r.ptr != end || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool Colour(const std::string& s, uint32_t& rgb) {
    long long v = 0;
    if (s.size() != 7 || s[0] != '#' || !Number("0x" + s.substr(1), 0, 0xFFFFFF, v)) return false;
    rgb = uint32_t(v);
    return true;
}

uint32_t ColorRef(uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

bool Image(Builder& b, const std::string& token, ImageRef& ref) {
    const size_t at = token.rfind('@');
    ref.file = token.substr(0, at);
    if (at == std::string::npos) return !ref.file.empty();
    const std::string pos = token.substr(at + 1);
    const size_t comma = pos.find(',');
    long long x = 0, y = 0;
    if (comma == std::string::npos || !Number(pos.substr(0, comma), -32768, 32767, x) ||
        !Number(pos.substr(comma + 1), -32768, 32767, y) || ref.file.empty())
        return b.Fail("expected FILE@X,Y, got " + token);
    ref.x = int(x);
    ref.y = int(y);
    return true;
}

uint32_t UseImage(Builder& b, const std::string& file) {
    auto [it, added] = b.imageIndex.try_emplace(file, uint32_t(b.imageFiles.size()));
    if (added) b.imageFiles.push_back(file);
    return it->second;
}

AcsFrame* LastFrame(Builder& b) {
    if (b.c.animations.empty() || b.c.animations.back().frames.empty()) {
        b.Fail("this directive needs a frame before it");
        return nullptr;
    }
    return &b.c.animations.back().frames.back();
}

bool Guid(const std::string& s, AcsGuid& g) {
    std::string hex;
    for (char ch : s)
        if (ch != '-' && ch != '{' && ch != '}') hex += ch;
    long long v = 0;
    if (hex.size() != 32) return false;
    if (!Number("0x" + hex.substr(0, 8), 0, 0xFFFFFFFF, v)) return false;
    g.data1 = uint32_t(v);
    if (!Number("0x" + hex.substr(8, 4), 0, 0xFFFF, v)) return false;
    g.data2 = uint16_t(v);
    if (!Number("0x" + hex.substr(12, 4), 0, 0xFFFF, v)) return false;
    g.data3 = uint16_t(v);
    for (size_t i = 0; i < 8; ++i) {
        if (!Number("0x" + hex.substr(16 + 2 * i, 2), 0, 0xFF, v)) return false;
        g.data4[i] = uint8_t(v);
    }
    return true;
}

bool Flags(Builder& b, const std::vector<std::string>& t) {
    static const std::map<std::string, uint32_t> kNames = {
        {"standard-set", kAcsFlagStandardAnimationSet},
        {"size-to-text", kAcsFlagBalloonSizeToText},
        {"no-auto-hide", kAcsFlagBalloonNoAutoHide},
        {"no-auto-pace", kAcsFlagBalloonNoAutoPace}};
    for (size_t i = 1; i < t.size(); ++i) {
        auto it = kNames.find(t[i]);
        if (it == kNames.end()) return b.Fail("unknown flag " + t[i]);
        b.c.flags |= it->second;
    }
    return true;
}

bool Balloon(Builder& b, const std::vector<std::string>& t) {
    AcsBalloonInfo info;
    long long lines = 0, chars = 0, height = 0, weight = 0;
    uint32_t text = 0, back = 0, border = 0;
    if (t.size() < 9 || !Number(t[1], 1, 255, lines) || !Number(t[2], 1, 255, chars) ||
        !Colour(t[3], text) || !Colour(t[4], back) || !Colour(t[5], border) ||
        !Number(t[7], -1000, 1000, height) || !Number(t[8], 0, 1000, weight))
        return b.Fail("balloon LINES CHARS #TEXT #BACK #BORDER \"Font\" HEIGHT WEIGHT [italic]");
    info.lines = uint8_t(lines);
    info.charsPerLine = uint8_t(chars);
    info.textColor = ColorRef(text);
    info.backColor = ColorRef(back);
    info.borderColor = ColorRef(border);
    info.fontName = AcsFromUtf8(t[6]);
    info.fontHeight = int32_t(height);
    info.fontWeight = int32_t(weight);
    info.italic = t.size() > 9 && t[9] == "italic";
    b.c.balloon = info;
    return true;
}

bool Animation(Builder& b, const std::vector<std::string>& t) {
    if (t.size() < 2) return b.Fail("animation needs a name");
    if (b.c.FindAnimation(std::string_view(t[1]))) return b.Fail("animation " + t[1] + " again");
    AcsAnimation a;
    a.name = AcsFromUtf8(t[1]);
    const std::string kind = t.size() > 2 ? t[2] : "none";
    if (kind == "return" && t.size() > 3) {
        a.transition = AcsTransition::ReturnAnimation;
        a.returnAnimation = AcsUpper(AcsFromUtf8(t[3]));
    } else if (kind == "exit") {
        a.transition = AcsTransition::ExitBranches;
    } else if (kind != "none") {
        return b.Fail("animation NAME [return OTHER | exit | none]");
    }
    b.c.animations.push_back(std::move(a));
    return true;
}

bool Frame(Builder& b, const std::vector<std::string>& t) {
    long long duration = 0;
    if (b.c.animations.empty()) return b.Fail("frame outside an animation");
    if (t.size() < 2 || !Number(t[1], 0, 65535, duration))
        return b.Fail("frame CS [FILE.bmp@X,Y]...");
    AcsFrame f;
    f.duration = uint16_t(duration);
    for (size_t i = 2; i < t.size(); ++i) {
        ImageRef ref;
        if (!Image(b, t[i], ref)) return false;
        f.images.push_back({UseImage(b, ref.file), int16_t(ref.x), int16_t(ref.y)});
    }
    b.c.animations.back().frames.push_back(std::move(f));
    return true;
}

bool Mouth(Builder& b, AcsFrame& f, const std::vector<std::string>& t) {
    static const std::map<std::string, AcsMouth> kShapes = {
        {"closed", AcsMouth::Closed},   {"wide1", AcsMouth::WideOpen1},
        {"wide2", AcsMouth::WideOpen2}, {"wide3", AcsMouth::WideOpen3},
        {"wide4", AcsMouth::WideOpen4}, {"medium", AcsMouth::Medium},
        {"narrow", AcsMouth::Narrow}};
    ImageRef ref;
    if (t.size() < 3 || !kShapes.count(t[1])) return b.Fail("mouth SHAPE FILE.bmp@X,Y [replace]");
    if (!Image(b, t[2], ref)) return false;
    AcsOverlay o;
    o.mouth = kShapes.at(t[1]);
    o.image = uint16_t(UseImage(b, ref.file));
    o.x = int16_t(ref.x);
    o.y = int16_t(ref.y);
    o.replaceTopImage = t.size() > 3 && t[3] == "replace";
    f.overlays.push_back(o);
    return true;
}

bool FrameDetail(Builder& b, const std::vector<std::string>& t) {
    AcsFrame* f = LastFrame(b);
    if (!f) return false;
    long long v = 0, p = 0;
    if (t[0] == "exit") {
        if (t.size() == 2 && t[1] == "end") return f->exitFrame = kAcsExitEnds, true;
        if (t.size() != 2 || !Number(t[1], 0, 32767, v)) return b.Fail("exit N | exit end");
        f->exitFrame = int16_t(v);
    } else if (t[0] == "branch") {
        if (t.size() != 3 || !Number(t[1], 0, 65535, v) || !Number(t[2], 0, 100, p))
            return b.Fail("branch FRAME PERCENT");
        f->branches.push_back({uint16_t(v), uint16_t(p)});
    } else if (t[0] == "sound") {
        if (t.size() != 2 || !b.sounds.count(t[1])) return b.Fail("sound needs a known wave ID");
        f->sound = b.sounds.at(t[1]);
    } else {
        return Mouth(b, *f, t);
    }
    return true;
}

bool Settings(Builder& b, const std::vector<std::string>& t) {
    const std::string& k = t[0];
    long long w = 0, h = 0, lang = 0;
    if (k == "size") {
        if (t.size() != 3 || !Number(t[1], 1, 4096, w) || !Number(t[2], 1, 4096, h))
            return b.Fail("size W H, 1 to 4096");
        b.c.width = uint16_t(w);
        b.c.height = uint16_t(h);
    } else if (k == "transparent") {
        if (t.size() != 2 || !Colour(t[1], b.key)) return b.Fail("transparent #RRGGBB");
    } else if (k == "compress") {
        if (t.size() != 2 || (t[1] != "yes" && t[1] != "no")) return b.Fail("compress yes|no");
        b.compress = t[1] == "yes";
    } else if (k == "guid") {
        if (t.size() != 2 || !Guid(t[1], b.c.guid)) return b.Fail("guid of 32 hex digits");
    } else if (k == "name") {
        if (t.size() < 4 || t.size() > 5 || !Number(t[1], 0, 0xFFFF, lang))
            return b.Fail("name LANGID \"Name\" \"Description\" [\"Extra\"]");
        b.c.localized.push_back({uint16_t(lang), AcsFromUtf8(t[2]), AcsFromUtf8(t[3]),
                                 t.size() > 4 ? AcsFromUtf8(t[4]) : u""});
    } else if (k == "state") {
        if (t.size() < 2) return b.Fail("state NAME ANIMATION...");
        AcsState s{AcsUpper(AcsFromUtf8(t[1])), {}};
        for (size_t i = 2; i < t.size(); ++i) s.animations.push_back(AcsUpper(AcsFromUtf8(t[i])));
        b.c.states.push_back(std::move(s));
    } else if (k == "wave") {
        std::vector<uint8_t> bytes;
        if (t.size() != 3) return b.Fail("wave ID FILE.wav");
        if (!b.load(t[2], bytes)) return b.Fail("cannot read " + t[2]);
        if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF")
            return b.Fail(t[2] + " is not a RIFF WAVE file");
        b.sounds[t[1]] = uint16_t(b.c.sounds.size());
        b.c.sounds.push_back({std::move(bytes), 0});
    } else if (k == "flags") {
        return Flags(b, t);
    } else if (k == "balloon") {
        return Balloon(b, t);
    } else {
        return b.Fail("unknown directive " + k);
    }
    return true;
}

bool Directive(Builder& b, const std::vector<std::string>& t) {
    const std::string& k = t[0];
    if (k == "animation") return Animation(b, t);
    if (k == "frame") return Frame(b, t);
    if (k == "exit" || k == "branch" || k == "sound" || k == "mouth") return FrameDetail(b, t);
    return Settings(b, t);
}

// Decodes every named BMP, gathers the palette and encodes the images.
bool Images(Builder& b) {
    std::vector<PixelBuffer> decoded;
    std::set<uint32_t> colours;
    for (const std::string& file : b.imageFiles) {
        std::vector<uint8_t> bytes;
        if (!b.load(file, bytes)) return b.error = "cannot read " + file, false;
        BmpError why = BmpError::None;
        PixelBuffer px = DecodeBmp(bytes, &why);
        if (px.Empty()) return b.error = file + " is not a readable BMP", false;
        if (uint32_t(px.Width()) > kAcsMaxImageSide || uint32_t(px.Height()) > kAcsMaxImageSide)
            return b.error = file + " is too large", false;
        for (int y = 0; y < px.Height(); ++y)
            for (int x = 0; x < px.Width(); ++x)
                if (RgbOf(px.At(x, y)) != b.key) colours.insert(RgbOf(px.At(x, y)));
        decoded.push_back(std::move(px));
    }
    if (colours.size() > 255)
        return b.error = "the images use " + std::to_string(colours.size()) +
                         " colours; at most 255 besides the transparent one",
               false;
    b.c.palette = {b.key};
    b.c.palette.insert(b.c.palette.end(), colours.begin(), colours.end());
    std::map<uint32_t, uint8_t> index;
    for (size_t i = 0; i < b.c.palette.size(); ++i) index[b.c.palette[i]] = uint8_t(i);
    for (const PixelBuffer& px : decoded) {
        std::vector<uint8_t> idx(size_t(px.Width()) * size_t(px.Height()));
        for (int y = 0; y < px.Height(); ++y)
            for (int x = 0; x < px.Width(); ++x)
                idx[size_t(y) * size_t(px.Width()) + size_t(x)] = index[RgbOf(px.At(x, y))];
        b.c.images.push_back(AcsEncodeImage(px.Width(), px.Height(), idx, 0, b.compress));
    }
    return true;
}

} // namespace

bool ParseAcsDescription(const std::string& text, const AcsFileLoader& loadFile, AcsCharacter& out,
                         std::string& error) {
    Builder b(loadFile);
    b.c.flags = 0;
    b.c.transparentIndex = 0;
    std::istringstream in(text);
    std::string lineText;
    while (std::getline(in, lineText)) {
        ++b.line;
        const std::vector<std::string> t = Tokens(lineText);
        if (!t.empty() && !Directive(b, t)) return error = b.error, false;
    }
    if (b.c.width == 0) return error = "character.txt: no size given", false;
    if (b.c.localized.empty()) return error = "character.txt: no name given", false;
    if (!Images(b)) return error = b.error, false;
    b.c.flags |= kAcsFlagVoiceDisabled;
    b.c.flags |= b.c.balloon ? kAcsFlagBalloonEnabled : kAcsFlagBalloonDisabled;
    error = AcsValidate(b.c);
    if (!error.empty()) return error = "character.txt: " + error, false;
    out = std::move(b.c);
    return true;
}

bool BuildAcsFromFolder(const std::filesystem::path& dir, AcsCharacter& out, std::string& error) {
    auto load = [&](const std::string& name, std::vector<uint8_t>& bytes) {
        std::ifstream f(dir / std::filesystem::u8path(name), std::ios::binary);
        if (!f) return false;
        bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        return true;
    };
    std::vector<uint8_t> text;
    if (!load("character.txt", text)) {
        error = "cannot read " + (dir / "character.txt").string();
        return false;
    }
    return ParseAcsDescription(std::string(text.begin(), text.end()), load, out, error);
}

} // namespace kv
