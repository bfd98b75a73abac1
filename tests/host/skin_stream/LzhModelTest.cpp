// The adaptive model the codec shares: its order and links after long runs of updates, the
// decoder's table that it keeps current, and the vector count of lighter nodes against the plain
// one (32-bit Windows builds use the plain one).
#include "skin/data/LzhModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

namespace {

using namespace kv::lzh;

// Every node's frequency is its children's sum, nodes are sorted, and parent and child agree.
void ExpectSound(const Model& m) {
    for (int n = 0; n < T; n++) {
        unsigned c = m.child[n];
        if (c >= unsigned(T)) {
            ASSERT_EQ(m.parent[c], n) << "leaf of node " << n;
        } else {
            ASSERT_EQ(m.freq[n], m.freq[c] + m.freq[c + 1]) << "node " << n;
            ASSERT_EQ(m.parent[c], n);
            ASSERT_EQ(m.parent[c + 1], n);
        }
        if (n < R) {
            ASSERT_LE(m.freq[n], m.freq[n + 1]) << "order at node " << n;
        }
    }
}

// Bits of the symbol's code: the edges from its leaf's node up to the root.
int CodeLength(const Model& m, unsigned symbol) {
    int length = 0;
    for (unsigned c = m.parent[Leaf(symbol)]; c != unsigned(R); c = m.parent[c]) length++;
    return length;
}

TEST(LzhModel, StaysSoundAndWalksAlikeWithAndWithoutTheCodeLength) {
    // The decoder passes the code's length and the leaf's node and the encoder does not: both
    // must change the model identically, through moves, long runs of one symbol and rebuilds
    // (the root reaches kLzhMaxFreq every 16384 or so updates). A move may leave the path up
    // shorter or longer than the code was; lengths off by a few on purpose make both happen
    // far more often than real codes do (a longer path has not been seen in real ones).
    auto plain = std::make_unique<Model>();
    auto counted = std::make_unique<Model>();
    plain->Start();
    counted->Start();
    std::mt19937 random(7);
    std::geometric_distribution<unsigned> skewed(0.02);
    for (int i = 0; i < 200000; i++) {
        unsigned symbol = i % 5000 < 300 ? 65 : skewed(random) % kChars;
        int length = CodeLength(*counted, symbol);
        if (i % 3 == 1) length = std::max(1, length - 1 - i % 4);
        if (i % 3 == 2) length += 1 + i % 4;
        counted->Update(symbol, counted->parent[Leaf(symbol)], length);
        plain->Update(symbol);
        if (i % 997 == 0) {
            ExpectSound(*plain);
            ASSERT_TRUE(std::equal(plain->freq, plain->freq + T, counted->freq)) << i;
            ASSERT_TRUE(std::equal(plain->child, plain->child + T, counted->child)) << i;
        }
    }
}

bool SameEntries(const Model& a, const Model& b) {
    return std::equal(std::begin(a.table), std::end(a.table), std::begin(b.table),
                      [](const TableEntry& x, const TableEntry& y) {
                          return x.node == y.node && x.slot == y.slot && x.bits == y.bits;
                      });
}

TEST(LzhModel, KeepsItsTableAsAFreshFillWouldMakeIt) {
    // Moves at the table's last level rewrite their entry in place; moves above it mark the
    // table stale. Either way, a table the model calls current is the one a fill would make.
    auto model = std::make_unique<Model>();
    auto fresh = std::make_unique<Model>();
    model->Start();
    std::mt19937 random(5);
    std::uniform_int_distribution<unsigned> noisy(0, kChars - 1);
    std::geometric_distribution<unsigned> skewed(0.3);
    int rewritten = 0, refills = 0;
    for (int i = 0; i < 100000; i++) {
        if (model->tableStale) {
            model->FillTable();
            refills++;
        }
        auto before = std::make_unique<Model>(*model);
        // Noise, then a few symbols that climb to the top, different ones each time.
        int phase = i / 5000;
        unsigned symbol = phase % 2 ? (skewed(random) + 37 * phase) % kChars : noisy(random);
        model->Update(symbol, model->parent[Leaf(symbol)], CodeLength(*model, symbol));
        if (model->tableStale) continue;
        if (!SameEntries(*before, *model)) rewritten++;
        *fresh = *model;
        fresh->FillTable();
        ASSERT_TRUE(SameEntries(*fresh, *model)) << "after update " << i;
    }
    EXPECT_GT(rewritten, 500);
    EXPECT_GT(refills, 100);
}

TEST(LzhModel, VectorCountOfLighterNodesMatchesThePlainOne) {
#if defined(__SSE2__)
    // Sorted runs as the model holds them, the sentinels and the top bit included.
    const uint16_t values[] = {0, 1, 2, 3, 100, 0x7FFF, 0x8000, 0x8001, 0xFFFE, 0xFFFF};
    std::mt19937 random(11);
    for (int round = 0; round < 20000; round++) {
        uint16_t f[kScan];
        for (auto& v : f) v = values[random() % std::size(values)];
        std::sort(f, f + kScan);
        for (unsigned k : {0u, 1u, 2u, 4u, 101u, 0x7FFFu, 0x8000u, 0x8001u, 0xFFFFu}) {
            ASSERT_EQ(CountLighterSse2(f, k), CountLighterPlain(f, k)) << "k " << k;
        }
    }
#else
    GTEST_SKIP() << "no SSE2 in this build";
#endif
}

} // namespace
