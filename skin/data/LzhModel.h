#pragma once
// The adaptive Huffman model that the LZHUF encoder and decoder share (internal to Lzh*.cpp).
//
// Nodes 0..626 live in one array ordered by ascending frequency; node 626 is the root. A
// node's child entry is the even index of its child pair, or symbol + kLzhTreeSize for a leaf.
// `parent` has one entry per node plus one per symbol (at symbol + kLzhTreeSize: the node that
// holds that leaf). Both sides must update the model identically after every symbol.
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
    uint16_t freq[T + kScan]; // T.. are sentinels above every real frequency
    uint16_t parent[T + kChars];
    uint16_t child[T];
    uint8_t watched[T];
    bool watchedChanged;

    void Start() {
        std::memset(watched, 0, sizeof watched);
        watchedChanged = true;
        for (int i = 0; i < kChars; i++) {
            freq[i] = 1;
            child[i] = uint16_t(i + T);
            parent[i + T] = uint16_t(i);
        }
        for (int i = 0, j = kChars; j <= R; i += 2, j++) {
            freq[j] = uint16_t(freq[i] + freq[i + 1]);
            child[j] = uint16_t(i);
            parent[i] = parent[i + 1] = uint16_t(j);
        }
        std::fill_n(freq + T, kScan, uint16_t(0xFFFF));
        parent[R] = 0;
    }

    // Counts one more `symbol`, keeping the nodes sorted by frequency.
    void Update(unsigned symbol) {
        if (freq[R] == kLzhMaxFreq) Rebuild();
        CountFrom(parent[symbol + T]);
    }

    // The same for a symbol whose code is `length` bits long and whose leaf hangs from node
    // `slot`, both known to the decoder from its walk down: the first test does not wait for a
    // load of the leaf's parent.
    //
    // Shaped for the processor's branch prediction. The leaf moves in about half of all updates
    // on pictures and the nodes above it rarely do, so the leaf's test is a branch of its own.
    // The walk up then counts levels rather than testing each loaded parent for the root, which
    // is predictable even after a move: a node moves to one of equal weight, and in practice that
    // one hangs at the same depth (shallower at times; never seen deeper, but then the walk
    // finishes by the parents).
    void Update(unsigned symbol, unsigned slot, int length) {
        if (freq[R] == kLzhMaxFreq) return Update(symbol);
        unsigned c = slot;
        unsigned k = ++freq[c];
        if (k > freq[c + 1]) c = MoveTo(c, LastLighter(c + 1, k), k);
        c = parent[c];
        for (length--; length > 0 && c != unsigned(R); length--) {
            k = ++freq[c];
            if (k > freq[c + 1]) c = MoveTo(c, LastLighter(c + 1, k), k);
            c = parent[c];
        }
        if (c != unsigned(R)) return CountFrom(c);
        freq[R]++; // the root, which never moves
    }

private:
    // Counts one more at node c and each node above it.
    void CountFrom(unsigned c) {
        do {
            unsigned k = ++freq[c];
            if (k > freq[c + 1]) c = MoveTo(c, LastLighter(c + 1, k), k);
        } while ((c = parent[c]) != 0);
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
        if (watched[c] | watched[l]) watchedChanged = true;
        freq[c] = freq[l];
        freq[l] = uint16_t(k);
        unsigned i = child[c];
        SetParent(i, l);
        unsigned j = child[l];
        child[l] = uint16_t(i);
        SetParent(j, c);
        child[c] = uint16_t(j);
        return l;
    }

    // The parent of child entry `k`: both nodes of a pair, or the one slot of a leaf. Written
    // without a branch (a leaf's slot is written twice): leaf or pair is not predictable here.
    void SetParent(unsigned k, unsigned node) {
        parent[k] = uint16_t(node);
        parent[k + (k < unsigned(T))] = uint16_t(node);
    }

    // Halves every leaf frequency and rebuilds the inner nodes from them.
    void Rebuild() {
        watchedChanged = true;
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
        for (int i = 0; i < T; i++) {
            unsigned k = child[i];
            parent[k] = uint16_t(i);
            if (k < T) parent[k + 1] = uint16_t(i);
        }
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
