#pragma once
// The adaptive Huffman model that the LZHUF encoder and decoder share (internal to Lzh*.cpp).
//
// Nodes 0..626 live in one array ordered by ascending frequency; node 626 is the root. A
// node's child entry is the even index of its child pair, or Leaf(symbol) for a leaf.
// `parent` has one entry per node plus two per symbol (at Leaf(symbol): the node that holds
// that leaf; the second is never read). A leaf thus has two parent entries like a pair, and a
// move sets both without asking which it moves. Both sides must update the model identically
// after every symbol.
//
// The decoder also keeps here a table of where each kTableBits-bit prefix of a code leads (the
// tree's top levels), which the model keeps current as it moves nodes: see `table`.
#include "skin/data/Lzh.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kv::lzh {

inline constexpr int T = kLzhTreeSize;
inline constexpr int R = kLzhRoot;
inline constexpr int kChars = kLzhCharCount;

inline constexpr unsigned kScan = 8; // the swap search compares this many nodes at a time
inline constexpr int kTableBits = 5; // tree levels that one look-up in `table` settles

// A leaf's child entry, and the symbol of one.
constexpr unsigned Leaf(unsigned symbol) {
    return unsigned(T) + 2 * symbol;
}
constexpr unsigned SymbolOf(unsigned leaf) {
    return (leaf - unsigned(T)) / 2;
}

// Where the first kTableBits bits of a code lead: a leaf reached after `bits` bits, or the
// inner node (its child pair) reached after all kTableBits; `slot` is the node that holds it.
struct TableEntry {
    uint16_t node;
    uint16_t slot;
    uint8_t bits;
};

// How many of the kScan frequencies from f on are below k; they are sorted, so those come first.
inline unsigned CountLighterPlain(const uint16_t* f, unsigned k) {
    unsigned n = 0;
    for (unsigned i = 0; i < kScan; i++) n += f[i] < k;
    return n;
}

#if defined(__SSE2__)
// The same with one vector compare. Frequencies are unsigned and SSE2 compares signed: flipping
// the top bit of both sides keeps the order.
inline unsigned CountLighterSse2(const uint16_t* f, unsigned k) {
    const __m128i flip = _mm_set1_epi16(short(0x8000));
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f));
    __m128i lighter = _mm_cmplt_epi16(_mm_xor_si128(v, flip), _mm_set1_epi16(short(k ^ 0x8000)));
    unsigned mask = unsigned(_mm_movemask_epi8(lighter)); // two bits per node
    return unsigned(__builtin_ctz(~mask)) / 2;            // ~mask has its upper half set
}
#endif

struct Model {
    // The decoder's table, filled by FillTable when `tableStale`. `watched` marks the nodes
    // whose child entry it has read: 1 for those above its last level, whose move makes it
    // stale; entry + 2 for the kTableBits-deep ones, each the `slot` of one entry, which a move
    // only rewrites (on the noisy skin of the benchmark, 8 in 10 of the moves that touch the
    // table are of these alone). Zero elsewhere, and everywhere while nothing has filled the
    // table (the encoder's case).
    static_assert((1 << kTableBits) + 2 <= 256, "an entry's number fits `watched`");
    TableEntry table[1 << kTableBits];
    uint8_t watched[T];
    bool tableStale;

    uint16_t freq[T + kScan]; // T.. are sentinels above every real frequency
    uint16_t parent[T + 2 * kChars];
    uint16_t child[T];

    void Start() {
        std::memset(watched, 0, sizeof watched);
        tableStale = true;
        for (int i = 0; i < kChars; i++) {
            freq[i] = 1;
            child[i] = uint16_t(Leaf(unsigned(i)));
            parent[Leaf(unsigned(i))] = uint16_t(i);
        }
        for (int i = 0, j = kChars; j <= R; i += 2, j++) {
            freq[j] = uint16_t(freq[i] + freq[i + 1]);
            child[j] = uint16_t(i);
            parent[i] = parent[i + 1] = uint16_t(j);
        }
        std::fill_n(freq + T, kScan, uint16_t(0xFFFF));
        parent[R] = uint16_t(R); // a walk up that overshoots stays at the root
    }

    void FillTable() {
        std::memset(watched, 0, sizeof watched);
        watched[R] = 1;
        FillFrom(unsigned(R), 0, 0);
        tableStale = false;
    }

    // Counts one more `symbol`, keeping the nodes sorted by frequency.
    void Update(unsigned symbol) {
        if (freq[R] == kLzhMaxFreq) Rebuild();
        CountFrom(parent[Leaf(symbol)]);
    }

    // The same for a symbol whose code is `length` bits long (at least 1) and whose leaf hangs
    // from node `slot`, both known to the decoder from its walk down: the first test does not
    // wait for a load of the leaf's parent.
    //
    // Shaped for the processor's branch prediction. The leaf moves in about half of all updates
    // on pictures and the nodes above it rarely do, so the leaf's test is a branch of its own.
    // The walk up then counts levels rather than testing each loaded parent for the root, which
    // is predictable even after a move: a node moves to one of equal weight, and in practice that
    // one hangs at the same depth. When it hangs shallower, the walk reaches the root early and
    // counts it again at each level left (the root is its own parent and never moves); the
    // root's count is then set from the one it had. When it hangs deeper, the parents finish
    // the walk.
    void Update(unsigned symbol, unsigned slot, int length) {
        unsigned root = freq[R];
        if (root == kLzhMaxFreq) return Update(symbol);
        unsigned c = slot;
        unsigned k = ++freq[c];
        if (k > freq[c + 1]) c = MoveTo(c, LastLighter(c + 1, k), k);
        c = parent[c];
        for (unsigned levels = unsigned(length) - 1; levels != 0; levels--) {
            k = ++freq[c];
            if (k > freq[c + 1]) c = MoveTo(c, LastLighter(c + 1, k), k);
            c = parent[c];
        }
        if (c != unsigned(R)) return CountFrom(c);
        freq[R] = uint16_t(root + 1);
    }

private:
    // Counts one more at node c and each node above it.
    void CountFrom(unsigned c) {
        for (; c != unsigned(R); c = parent[c]) {
            unsigned k = ++freq[c];
            if (k > freq[c + 1]) c = MoveTo(c, LastLighter(c + 1, k), k);
        }
        freq[R]++; // the root, which never moves
    }

    // Entries for the codes that start with `prefix` (depth bits), which lead to node `slot`.
    void FillFrom(unsigned slot, int depth, unsigned prefix) {
        unsigned node = child[slot];
        if (depth == kTableBits) {
            table[prefix] = {uint16_t(node), uint16_t(slot), uint8_t(depth)};
            watched[slot] = uint8_t(prefix + 2);
            return;
        }
        if (node >= unsigned(T)) {
            int spare = kTableBits - depth;
            TableEntry e{uint16_t(node), uint16_t(slot), uint8_t(depth)};
            std::fill_n(table + (prefix << spare), size_t(1) << spare, e);
            return;
        }
        watched[node] = watched[node + 1] = 1;
        FillFrom(node, depth + 1, prefix << 1);
        FillFrom(node + 1, depth + 1, (prefix << 1) | 1);
    }

    // The last node lighter than k, from `from` (itself lighter) on. The nodes are sorted, so
    // the lighter ones among the next few come first; counting them, eight at a time and
    // without a branch each, finds it.
    unsigned LastLighter(unsigned from, unsigned k) const {
        unsigned l = from;
        for (unsigned n = kScan; n == kScan; l += n) n = LighterAmongNext(l, k);
        return l;
    }

    // How many of the kScan nodes after l are lighter than k.
    unsigned LighterAmongNext(unsigned l, unsigned k) const {
#if defined(__SSE2__)
        return CountLighterSse2(freq + l + 1, k);
#else
        return CountLighterPlain(freq + l + 1, k);
#endif
    }

    // Node c, now of frequency k, outgrew its right neighbour: it trades places with node l,
    // the last node still lighter than k, which keeps the order. Returns c's new place.
    unsigned MoveTo(unsigned c, unsigned l, unsigned k) {
        freq[c] = freq[l];
        freq[l] = uint16_t(k);
        unsigned i = child[c];
        SetParent(i, l);
        unsigned j = child[l];
        child[l] = uint16_t(i);
        SetParent(j, c);
        child[c] = uint16_t(j);
        if (watched[c] | watched[l]) {
            Retable(c);
            Retable(l);
        }
        return l;
    }

    // The parent of child entry `k`: both nodes of a pair, or a leaf's two entries.
    void SetParent(unsigned k, unsigned node) {
        parent[k] = uint16_t(node);
        parent[k + 1] = uint16_t(node);
    }

    // Node x has a new child entry: its table entry follows it, or the table is stale.
    void Retable(unsigned x) {
        unsigned w = watched[x];
        if (w == 1) tableStale = true;
        if (w > 1) table[w - 2].node = child[x];
    }

    // Halves every leaf frequency and rebuilds the inner nodes from them.
    void Rebuild() {
        tableStale = true;
        int j = 0;
        for (int i = 0; i < T; i++) {
            if (child[i] >= T) {
                freq[j] = uint16_t((freq[i] + 1) / 2);
                child[j] = child[i];
                j++;
            }
        }
        for (int i = 0, n = kChars; n < T; i += 2, n++) {
            unsigned f = unsigned(freq[i]) + freq[i + 1];
            int k = n - 1;
            while (f < freq[k]) k--;
            k++;
            size_t moved = size_t(n - k) * sizeof(uint16_t);
            std::memmove(&freq[k + 1], &freq[k], moved);
            freq[k] = uint16_t(f);
            std::memmove(&child[k + 1], &child[k], moved);
            child[k] = uint16_t(i);
        }
        for (int i = 0; i < T; i++) SetParent(child[i], unsigned(i));
    }
};

// Position codes: the upper six bits of a match position are sent as a short prefix code whose
// first byte b decodes through these tables (b 0-31 -> 0, 32-79 -> 1..3, ... 240-255 -> 48..63).
struct PositionTables {
    uint8_t code[256];     // upper six bits for a first byte
    uint8_t len[256];      // bits of the whole prefix code for a first byte (3..8)
    uint8_t prefix[64];    // encoder: the prefix code of upper bits u, left-aligned in a byte
    uint8_t prefixLen[64]; // encoder: its length in bits

    constexpr PositionTables() : code(), len(), prefix(), prefixLen() {
        // (bytes per code value, number of code values) for prefix lengths 3..8
        const int groups[6][2] = {{32, 1}, {16, 3}, {8, 8}, {4, 12}, {2, 24}, {1, 16}};
        int b = 0, upper = 0;
        for (int g = 0; g < 6; g++) {
            for (int v = 0; v < groups[g][1]; v++, upper++) {
                prefix[upper] = uint8_t(b);
                prefixLen[upper] = uint8_t(g + 3);
                for (int r = 0; r < groups[g][0]; r++, b++) {
                    code[b] = uint8_t(upper);
                    len[b] = uint8_t(g + 3);
                }
            }
        }
    }
};

inline constexpr PositionTables kPositionTables{};

} // namespace kv::lzh
