// Replays the checked-in seeds of the framework's text fuzz targets through their bodies.
#include "tests/host/CorpusFiles.h"
#include "tests/host/ui_classes/fuzz/UiClassesFuzz.h"

#include <gtest/gtest.h>

namespace {

TEST(UiClassesCorpus, EverySeedThroughItsTarget) {
    const struct {
        const char* dir;
        void (*body)(std::span<const uint8_t>);
    } targets[] = {{"layout", ui_fuzz::ReadAnyLayout},
                   {"strings", ui_fuzz::ReadAnyStrings},
                   {"shortcut", ui_fuzz::ReadAnyShortCut}};
    for (const auto& t : targets) {
        const auto seeds =
            kv::test::CorpusFiles(std::string("tests/host/ui_classes/corpus/") + t.dir);
        EXPECT_GE(seeds.size(), 3u) << t.dir;
        for (const auto& f : seeds) {
            SCOPED_TRACE(f.name);
            t.body(f.bytes);
        }
    }
}

// The portable shortcut texts: names, modifiers in any order, the layout's characters.
TEST(ShortCutText, ReadsAndWritesTheNamedForms) {
    EXPECT_EQ(ShortCutOfText("Ctrl+O", ui_fuzz::UsLayoutChar), 0x4000 + 'O');
    EXPECT_EQ(ShortCutOfText("alt+SHIFT+f4", ui_fuzz::UsLayoutChar), 0x8000 | 0x2000 | 0x73);
    EXPECT_EQ(ShortCutOfText("Ctrl+;", ui_fuzz::UsLayoutChar), 0x4000 | 0xBA);
    EXPECT_EQ(ShortCutOfText("Ctrl+", ui_fuzz::UsLayoutChar), 0);
    EXPECT_EQ(ShortCutOfText("Ctrl+Nothing", ui_fuzz::UsLayoutChar), 0);
    EXPECT_EQ(ShortCutTextOf(0x8000 | 0x4000 | 0x2000 | 0x2E, nullptr), "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(ShortCutTextOf(0x4000 | 0x62, nullptr), "Ctrl+2"); // number pad
    EXPECT_EQ(ShortCutTextOf(0x4000 | 0xBA, nullptr), ""); // no layout: no name
}

} // namespace
