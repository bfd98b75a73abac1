#include "tools/acsgen/gen/PipGenerator.h"

#include "base/Bmp.h"
#include "tools/acsgen/gen/PipArt.h"

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace kv::pip {
namespace {

// One pose of the character; a frame shows one pose for `cs` hundredths of a second.
struct Pose {
    Stance stance;
    Eyes eyes = Eyes::Open;
    int look = 0;
    Mouth mouth = Mouth::Smile;
    Arms arms;
    Extra extra = Extra::None;
    int phase = 0;
    int cs = 10;
};

class Writer {
public:
    Writer(std::filesystem::path dir) : dir_(std::move(dir)) {}

    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    std::ostringstream& Text() { return text_; }

    // The frame's images, top-most first: mouth, arms, extra, eyes, body.
    std::string Images(const Pose& p) {
        const Stance& s = p.stance;
        const std::string at = Key(s);
        std::string out;
        out += Place("mouth" + std::to_string(int(p.mouth)) + at, DrawMouth(s, p.mouth));
        out += Place("arms" + std::to_string(p.arms.left) + "_" + std::to_string(p.arms.right) +
                         (p.arms.chin ? "c" : "") + at,
                     DrawArms(s, p.arms));
        if (p.extra != Extra::None)
            out += Place("extra" + std::to_string(int(p.extra)) + "_" + std::to_string(p.phase) +
                             "_" + std::to_string(s.dy),
                         DrawExtra(s, p.extra, p.phase));
        out += Place("eyes" + std::to_string(int(p.eyes)) + "_" + std::to_string(p.look) + at,
                     DrawEyes(s, p.eyes, p.look));
        out += Place("body" + at, DrawBody(s));
        return out;
    }

    void Frame(const Pose& p) { text_ << "frame " << p.cs << Images(p) << "\n"; }

    // The mouth shapes used while speaking, as overlays that replace the frame's mouth.
    void Mouths(const Stance& s) {
        static const struct {
            const char* shape;
            Mouth mouth;
        } kShapes[] = {{"closed", Mouth::Closed}, {"wide1", Mouth::Wide1},
                       {"wide2", Mouth::Wide2},   {"wide3", Mouth::Wide3},
                       {"wide4", Mouth::Wide4},   {"medium", Mouth::Medium},
                       {"narrow", Mouth::Narrow}};
        for (const auto& k : kShapes)
            text_ << "mouth " << k.shape
                  << Place("mouth" + std::to_string(int(k.mouth)) + Key(s), DrawMouth(s, k.mouth))
                  << " replace\n";
    }

    void File(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream f(dir_ / name, std::ios::binary | std::ios::trunc);
        if (!f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())))
            error_ = "cannot write " + (dir_ / name).string();
    }

private:
    static std::string Key(const Stance& s) {
        return "_" + std::to_string(int(std::lround(s.scale * 100))) + "_" + std::to_string(s.dy) +
               "_" + std::to_string(s.lean) + "_" +
               std::to_string(int(std::lround(s.squash * 100)));
    }

    std::string Place(const std::string& key, const Layer& layer) {
        if (layer.pixels.Empty()) return "";
        const std::string file = key + ".bmp";
        if (written_.insert(file).second) File(file, EncodeBmp24(layer.pixels.View()));
        return " " + file + "@" + std::to_string(layer.x) + "," + std::to_string(layer.y);
    }

    std::filesystem::path dir_;
    std::ostringstream text_;
    std::set<std::string> written_;
    std::string error_;
};

// 8-bit mono PCM at 11025 Hz: a tone gliding from f0 to f1 with a soft decay.
std::vector<uint8_t> Tone(double f0, double f1, double seconds) {
    const uint32_t rate = 11025, n = uint32_t(rate * seconds);
    std::vector<uint8_t> w;
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) w.push_back(uint8_t(v >> (8 * i)));
    };
    w.insert(w.end(), {'R', 'I', 'F', 'F'});
    put(36 + n, 4);
    w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate, 4), put(1, 2), put(8, 2);
    w.insert(w.end(), {'d', 'a', 't', 'a'});
    put(n, 4);
    double phase = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const double t = double(i) / n;
        phase += 2 * 3.14159265358979323846 * (f0 + (f1 - f0) * t) / rate;
        const double v = std::sin(phase) * (1 - t) * 90;
        w.push_back(uint8_t(128 + int(std::lround(v))));
    }
    return w;
}

Pose Rest(int cs = 10) {
    Pose p;
    p.cs = cs;
    return p;
}

void Header(Writer& w) {
    w.Text() << "# Pip, the sample character: a small green sprout. Drawn by acsgen.\n"
             << "size 128 128\ntransparent #FF00FF\ncompress yes\n"
             << "guid 5049502D-0000-4B56-8000-000000000001\nflags standard-set\n"
             << "name 0x0409 \"Pip\" \"A friendly little sprout\"\n"
             << "balloon 2 28 #000000 #FFFFE1 #000000 \"MS Sans Serif\" -13 400\n"
             << "wave pop pop.wav\nwave chime chime.wav\n"
             << "state SHOWING Show\nstate HIDING Hide\nstate SPEAKING Explain\n"
             << "state IDLINGLEVEL1 Idle1_1 Blink\nstate IDLINGLEVEL2 Idle1_1\n"
             << "state IDLINGLEVEL3 Idle1_1\nstate MOVINGLEFT MoveLeft\n"
             << "state MOVINGRIGHT MoveRight\nstate GESTURINGLEFT GestureLeft\n"
             << "state GESTURINGRIGHT GestureRight\nstate GREETING Greet\n"
             << "state LISTENING Think\nstate HEARING Think\n";
}

void ShowHide(Writer& w) {
    const double scales[] = {0.2, 0.45, 0.75, 1.0};
    const double squash[] = {1.0, 1.15, 1.1, 0.92};
    w.Text() << "\nanimation Show\n";
    for (int i = 0; i < 4; ++i) {
        Pose p = Rest(i == 3 ? 8 : 6);
        p.stance.scale = scales[i];
        p.stance.squash = squash[i];
        p.eyes = i < 2 ? Eyes::Closed : Eyes::Open;
        w.Frame(p);
        if (i == 0) w.Text() << "sound pop\n";
    }
    w.Frame(Rest(10));
    w.Text() << "\nanimation Hide\n";
    for (int i = 3; i >= 0; --i) {
        Pose p = Rest(6);
        p.stance.scale = scales[i];
        p.stance.squash = squash[i];
        p.eyes = i < 3 ? Eyes::Closed : Eyes::Open;
        w.Frame(p);
    }
    w.Text() << "frame 5\n"; // nothing left to see
}

// Raises the right arm and waves it; exit frames lead back down when the wave is cut short.
void Waving(Writer& w, const char* name, bool greet) {
    w.Text() << "\nanimation " << name << " exit\n";
    const int angles[] = {60, 130, 160, 130, 160, 130, 60};
    const int n = 7;
    for (int i = 0; i < n; ++i) {
        Pose p = Rest(i == 0 || i == n - 1 ? 8 : 12);
        p.arms.right = angles[i];
        p.mouth = greet && i > 0 && i < n - 1 ? Mouth::Wide2 : Mouth::Smile;
        if (greet && i == 2) p.extra = Extra::Sparkle;
        w.Frame(p);
        // Exiting from a raised arm jumps to the last frame, which lowers it.
        w.Text() << "exit " << (i == n - 1 ? std::string("end") : std::to_string(n - 1)) << "\n";
        if (!greet && i == 4) w.Text() << "branch 1 40\n"; // sometimes wave once more
    }
    w.Frame(Rest(6));
    w.Text() << "exit end\n";
}

void Blink(Writer& w) {
    w.Text() << "\nanimation Blink\n";
    const Eyes eyes[] = {Eyes::Open, Eyes::Half, Eyes::Closed, Eyes::Half, Eyes::Open};
    const int cs[] = {5, 3, 5, 3, 10};
    for (int i = 0; i < 5; ++i) {
        Pose p = Rest(cs[i]);
        p.eyes = eyes[i];
        w.Frame(p);
    }
}

void Idle(Writer& w) {
    w.Text() << "\nanimation Idle1_1\n";
    const int dy[] = {0, 1, 2, 2, 1, 0, 0, 0};
    const int look[] = {0, 0, -2, -2, 0, 2, 2, 0};
    for (int i = 0; i < 8; ++i) {
        Pose p = Rest(i == 7 ? 20 : 15);
        p.stance.dy = dy[i];
        p.look = look[i];
        p.eyes = i == 6 ? Eyes::Closed : Eyes::Open;
        w.Frame(p);
    }
}

void Explain(Writer& w) {
    w.Text() << "\nanimation Explain\n";
    const int left[] = {20, 60, 80, 70, 80, 40};
    const int right[] = {20, 50, 70, 80, 60, 30};
    for (int i = 0; i < 6; ++i) {
        Pose p = Rest(i == 0 || i == 5 ? 8 : 18);
        p.arms = {left[i], right[i], false};
        p.mouth = i % 2 ? Mouth::Medium : Mouth::Smile;
        w.Frame(p);
        w.Mouths(p.stance);
    }
}

void Congratulate(Writer& w) {
    w.Text() << "\nanimation Congratulate\n";
    const int dy[] = {4, -6, -10, -6, 0, -8, 0};
    for (int i = 0; i < 7; ++i) {
        Pose p = Rest(i == 0 ? 6 : 10);
        p.stance.dy = dy[i];
        p.stance.squash = i == 0 ? 0.9 : 1.0;
        p.arms = {150, 150, false};
        p.mouth = Mouth::Wide3;
        p.eyes = i == 2 ? Eyes::Closed : Eyes::Open;
        p.extra = i > 0 ? Extra::Stars : Extra::None;
        p.phase = i;
        w.Frame(p);
        if (i == 1) w.Text() << "sound chime\n";
    }
    w.Frame(Rest(8));
}

void Think(Writer& w) {
    w.Text() << "\nanimation Think\n";
    for (int i = 0; i < 6; ++i) {
        Pose p = Rest(i < 3 ? 12 : 25);
        p.arms = {20, 0, true};
        p.eyes = Eyes::Up;
        p.look = 2;
        p.mouth = Mouth::Closed;
        p.extra = Extra::Bubble;
        p.phase = std::min(i, 2);
        w.Frame(p);
    }
    w.Text() << "branch 4 30\n"; // keep thinking a little longer now and then
    w.Frame(Rest(8));
}

void Surprised(Writer& w) {
    w.Text() << "\nanimation Surprised return Blink\n";
    const double squash[] = {0.9, 1.12, 1.05, 1.05, 1.0};
    for (int i = 0; i < 5; ++i) {
        Pose p = Rest(i == 0 ? 5 : 15);
        p.stance.squash = squash[i];
        p.stance.dy = i == 1 ? -4 : 0;
        p.eyes = Eyes::Wide;
        p.mouth = Mouth::Oh;
        p.arms = {70, 70, false};
        p.extra = i > 0 && i < 4 ? Extra::Exclaim : Extra::None;
        w.Frame(p);
    }
}

void Sad(Writer& w) {
    w.Text() << "\nanimation Sad return Blink\n";
    for (int i = 0; i < 6; ++i) {
        Pose p = Rest(i == 0 ? 8 : 18);
        p.stance.dy = i > 0 ? 3 : 1;
        p.stance.squash = 0.96;
        p.eyes = Eyes::Sad;
        p.mouth = Mouth::Frown;
        p.arms = {8, 8, false};
        p.extra = i > 0 && i < 5 ? Extra::Tear : Extra::None;
        p.phase = i - 1;
        w.Frame(p);
    }
}

void Gesture(Writer& w, const char* name, bool left) {
    w.Text() << "\nanimation " << name << "\n";
    const int angles[] = {50, 95, 95, 95, 50};
    for (int i = 0; i < 5; ++i) {
        Pose p = Rest(i == 2 ? 40 : 10);
        (left ? p.arms.left : p.arms.right) = angles[i];
        p.look = left ? -3 : 3;
        p.stance.lean = left ? -2 : 2;
        w.Frame(p);
    }
    w.Frame(Rest(6));
}

void Move(Writer& w, const char* name, int side) {
    w.Text() << "\nanimation " << name << "\n";
    const int dy[] = {0, -3, 0, -3};
    for (int i = 0; i < 4; ++i) {
        Pose p = Rest(10);
        p.stance.lean = 5 * side;
        p.stance.dy = dy[i];
        p.look = 3 * side;
        p.arms = {i % 2 ? 40 : 10, i % 2 ? 10 : 40, false};
        w.Frame(p);
    }
    w.Text() << "branch 0 50\n"; // walk on for another step now and then
}

} // namespace

bool GeneratePip(const std::filesystem::path& dir, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    Writer w(dir);
    Header(w);
    ShowHide(w);
    Waving(w, "Greet", true);
    Waving(w, "Wave", false);
    Blink(w);
    Idle(w);
    Explain(w);
    Congratulate(w);
    Think(w);
    Surprised(w);
    Sad(w);
    Gesture(w, "GestureLeft", true);
    Gesture(w, "GestureRight", false);
    Move(w, "MoveLeft", -1);
    Move(w, "MoveRight", 1);
    w.File("pop.wav", Tone(300, 900, 0.12));
    w.File("chime.wav", Tone(880, 1320, 0.3));
    const std::string text = w.Text().str();
    w.File("character.txt", std::vector<uint8_t>(text.begin(), text.end()));
    if (!w.Ok()) error = w.Error();
    return w.Ok();
}

} // namespace kv::pip
