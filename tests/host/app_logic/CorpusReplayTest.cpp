// Replays the checked-in seeds of the viewer's fuzz targets through their bodies.
#include "tests/host/CorpusFiles.h"
#include "tests/host/app_logic/fuzz/AppLogicFuzz.h"

#include <gtest/gtest.h>

namespace {

TEST(AppLogicCorpus, EverySeedThroughItsTarget) {
    const struct {
        const char* dir;
        void (*body)(std::span<const uint8_t>);
    } targets[] = {{"actions", kv::app::fuzz::ReadActionList},
                   {"settings", kv::app::fuzz::ReadSettingsValue},
                   {"fonts", kv::app::fuzz::ReadFontSpec}};
    for (const auto& t : targets) {
        const auto seeds = kv::test::CorpusFiles(std::string("tests/host/app_logic/corpus/") + t.dir);
        EXPECT_GE(seeds.size(), 3u) << t.dir;
        for (const auto& f : seeds) {
            SCOPED_TRACE(f.name);
            t.body(f.bytes);
        }
    }
}

} // namespace
