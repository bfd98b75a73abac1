// LZHUF encoding: LZSS with a binary search tree over the 4 KB ring (the classic match finder),
// codes from the adaptive Huffman model shared with the decoder. Only tools and tests encode,
// so this favours being the standard method over speed.
#include "skin/data/Lzh.h"
#include "skin/data/LzhModel.h"

#include <cstring>
#include <memory>
#include <new>

namespace kv {
namespace {

constexpr int N = kLzhRingSize;
constexpr int F = kLzhMaxMatch;
constexpr int kNil = N; // "no node" in the search trees

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

    // Appends the low `count` bits of `bits` (count <= 32), most significant first.
    void Put(uint32_t bits, int count) {
        acc_ = (acc_ << count) | (bits & ((uint64_t(1) << count) - 1));
        held_ += count;
        while (held_ >= 8) {
            held_ -= 8;
            out_.push_back(uint8_t(acc_ >> held_));
        }
    }

    void Flush() {
        if (held_ > 0) out_.push_back(uint8_t(acc_ << (8 - held_)));
        held_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    uint64_t acc_ = 0;
    int held_ = 0;
};

// The ring (with a mirror of its first F - 1 bytes behind it, so a compare never wraps) and the
// binary search trees of the positions in it, one tree per first byte.
struct MatchFinder {
    uint8_t text[N + F - 1];
    int left[N + 1];
    int right[N + 257];
    int up[N + 1];
    int matchPosition = 0;
    int matchLength = 0;

    void Init() {
        std::memset(text, 0, sizeof text); // bytes past a short input must not vary between runs
        for (int i = N + 1; i <= N + 256; i++) right[i] = kNil;
        for (int i = 0; i < N; i++) up[i] = kNil;
    }

    void Insert(int r) {
        int cmp = 1;
        const uint8_t* key = &text[r];
        int p = N + 1 + key[0];
        right[r] = left[r] = kNil;
        matchLength = 0;
        for (;;) {
            int& next = cmp >= 0 ? right[p] : left[p];
            if (next == kNil) {
                next = r;
                up[r] = p;
                return;
            }
            p = next;
            int i = 1;
            for (; i < F; i++) {
                cmp = int(key[i]) - int(text[p + i]);
                if (cmp != 0) break;
            }
            if (i > kLzhThreshold && Note(r, p, i)) break;
        }
        ReplaceNode(p, r);
    }

    void Delete(int p) {
        if (up[p] == kNil) return;
        int q;
        if (right[p] == kNil) {
            q = left[p];
        } else if (left[p] == kNil) {
            q = right[p];
        } else {
            q = left[p];
            if (right[q] != kNil) {
                do q = right[q];
                while (right[q] != kNil);
                right[up[q]] = left[q];
                up[left[q]] = up[q];
                left[q] = left[p];
                up[left[p]] = q;
            }
            right[q] = right[p];
            up[right[p]] = q;
        }
        up[q] = up[p];
        Relink(p, q);
        up[p] = kNil;
    }

private:
    // Records a match of length i at node p; true when it cannot get longer.
    bool Note(int r, int p, int i) {
        int position = ((r - p) & (N - 1)) - 1;
        if (i > matchLength) {
            matchPosition = position;
            matchLength = i;
            if (i >= F) return true;
        } else if (i == matchLength && position < matchPosition) {
            matchPosition = position;
        }
        return false;
    }

    // A full-length match: node r takes node p's place in the tree.
    void ReplaceNode(int p, int r) {
        up[r] = up[p];
        left[r] = left[p];
        right[r] = right[p];
        up[left[p]] = r;
        up[right[p]] = r;
        Relink(p, r);
        up[p] = kNil;
    }

    void Relink(int p, int q) {
        if (right[up[p]] == p)
            right[up[p]] = q;
        else
            left[up[p]] = q;
    }
};

class Encoder {
public:
    Encoder(std::span<const uint8_t> data, std::vector<uint8_t>& out) : data_(data), bits_(out) {
        model_.Start();
        finder_.Init();
    }

    void Run() {
        MatchFinder& f = finder_;
        int s = 0, r = N - F;
        for (int i = 0; i < r; i++) f.text[i] = ' ';
        int len = 0;
        while (len < F && next_ < data_.size()) f.text[r + len++] = data_[next_++];
        for (int i = 1; i <= F; i++) f.Insert(r - i);
        f.Insert(r);
        while (len > 0) {
            int matched = EmitAt(r, len);
            int i = 0;
            for (; i < matched && next_ < data_.size(); i++) {
                f.Delete(s);
                uint8_t c = data_[next_++];
                f.text[s] = c;
                if (s < F - 1) f.text[s + N] = c;
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                f.Insert(r);
            }
            for (; i < matched; i++) {
                f.Delete(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len) f.Insert(r);
            }
        }
        bits_.Flush();
    }

private:
    // Writes a literal or a match for position r; returns the bytes it covered.
    int EmitAt(int r, int len) {
        int length = finder_.matchLength > len ? len : finder_.matchLength;
        if (length <= kLzhThreshold) {
            PutSymbol(finder_.text[r]);
            return 1;
        }
        PutSymbol(unsigned(255 - kLzhThreshold + length));
        PutPosition(unsigned(finder_.matchPosition));
        return length;
    }

    void PutSymbol(unsigned symbol) {
        uint64_t code = 0;
        int depth = 0;
        for (unsigned k = model_.parent[lzh::Leaf(symbol)]; k != unsigned(lzh::R);
             k = model_.parent[k]) {
            code |= uint64_t(k & 1) << depth;
            depth++;
        }
        while (depth > 32) { // never for a real model; kept exact anyway
            depth--;
            bits_.Put(uint32_t(code >> depth) & 1, 1);
        }
        bits_.Put(uint32_t(code), depth);
        model_.Update(symbol);
    }

    void PutPosition(unsigned position) {
        unsigned upper = position >> 6;
        int prefixLen = lzh::kPositionTables.prefixLen[upper];
        bits_.Put(lzh::kPositionTables.prefix[upper] >> (8 - prefixLen), prefixLen);
        bits_.Put(position & 0x3F, 6);
    }

    std::span<const uint8_t> data_;
    size_t next_ = 0;
    BitWriter bits_;
    lzh::Model model_;
    MatchFinder finder_;
};

} // namespace

std::vector<uint8_t> TLZH::Encode(std::span<const uint8_t> data) {
    if (int64_t(data.size()) > kLzhMaxUnpacked) throw ElzhException("LZH : Data too large to pack");
    std::vector<uint8_t> out;
    if (data.empty()) return out;
    try {
        out.reserve(data.size() / 2 + 64);
        auto encoder = std::make_unique<Encoder>(data, out);
        encoder->Run();
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    return out;
}

std::vector<uint8_t> TLZH::Pack(std::span<const uint8_t> data) {
    std::vector<uint8_t> bits = Encode(data);
    std::vector<uint8_t> out;
    out.reserve(bits.size() + 4);
    uint32_t size = uint32_t(data.size());
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(size >> (8 * i)));
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

} // namespace kv
