// Settings value, path pieces, the association layout and the quiet command-line tasks.
#include "app/logic/Association.h"
#include "app/logic/Paths.h"
#include "app/logic/QuietTask.h"
#include "app/logic/Settings.h"

#include <gtest/gtest.h>

using namespace kv::app;

TEST(LanguageSetting, ReadingNeverFails) {
    EXPECT_EQ(ReadLanguageId(std::nullopt), 1);
    EXPECT_EQ(ReadLanguageId("2"), 2);
    EXPECT_EQ(ReadLanguageId("3\r"), 3);
    EXPECT_EQ(ReadLanguageId("-1"), -1);
    EXPECT_EQ(ReadLanguageId("Chinese"), 1);
    EXPECT_EQ(ReadLanguageId(""), 1);
    EXPECT_EQ(ReadLanguageId(std::string(70000, '7')), 1);
}

TEST(LanguageSetting, ValuesChooseTheLanguage) {
    struct Case {
        int id;
        bool apply;
        uint8_t language;
        int tag;
    };
    for (Case c : {Case{1, true, 0, 1}, Case{2, true, 1, 2}, Case{3, true, 2, 3},
                   Case{4, true, 0, 1}, Case{1000, true, 0, 1}, Case{0, false, 0, 1},
                   Case{-1, false, 0, 1}, Case{INT32_MIN, false, 0, 1}}) {
        SCOPED_TRACE(c.id);
        LanguageChoice choice = ResolveLanguageId(c.id);
        EXPECT_EQ(choice.apply, c.apply);
        EXPECT_EQ(choice.interfaceLanguage, c.language);
        EXPECT_EQ(choice.menuTag, c.tag);
    }
    EXPECT_EQ(LanguageForTag(1), 0);
    EXPECT_EQ(LanguageForTag(3), 2);
    EXPECT_EQ(LanguageForTag(0), std::nullopt);
    EXPECT_EQ(LanguageForTag(4), std::nullopt);
}

namespace {
bool Big5Lead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
} // namespace

TEST(Paths, TitleAndDirectory) {
    EXPECT_EQ(FileTitle("C:\\Chars\\Pip.acs", nullptr), "Pip");
    EXPECT_EQ(FileTitle("C:\\a.b\\Merlin.v2.acs", nullptr), "Merlin.v2");
    EXPECT_EQ(FileTitle("C:\\a.b\\noext", nullptr), "noext");
    EXPECT_EQ(FileTitle("Z:/home/x/Pip.acs", nullptr), "Pip");
    EXPECT_EQ(FileTitle(".acs", nullptr), "");
    EXPECT_EQ(FileTitle("", nullptr), "");
    EXPECT_EQ(FileTitle("dir\\", nullptr), "");
    EXPECT_EQ(DirectoryOf("C:\\Program Files\\K\\Kelvorine.exe", nullptr),
              "C:\\Program Files\\K\\");
    EXPECT_EQ(DirectoryOf("Kelvorine.exe", nullptr), "");
}

TEST(Paths, Big5TrailBackslashIsNoSeparator) {
    // "\xb3\x5c" is one Big5 character whose second byte is "\".
    EXPECT_EQ(FileTitle("C:\\x\\\xb3\x5c.acs", Big5Lead), "\xb3\x5c");
    EXPECT_EQ(FileTitle("C:\\x\\\xb3\x5c.acs", nullptr), "");
    EXPECT_EQ(DirectoryOf("C:\\\xb3\x5c\\a.acs", Big5Lead), "C:\\\xb3\x5c\\");
    EXPECT_EQ(FileTitle("C:\\x\\\xb3", Big5Lead), "\xb3"); // a lone lead byte at the end
}

TEST(Association, LayoutInWritingOrder) {
    std::string command = OpenCommand("C:\\Program Files\\Kelvorine\\Kelvorine.exe");
    EXPECT_EQ(command, "\"C:\\Program Files\\Kelvorine\\Kelvorine.exe\" \"%1\"");
    auto layout = FileTypeLayout(".acs", "Agent.Character2.2", "Kelvorine (kelvorine.example.org)",
                                 "", command);
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_EQ(layout[0].key, ".acs");
    EXPECT_EQ(layout[0].valueName, "");
    EXPECT_EQ(layout[0].data, "Agent.Character2.2");
    EXPECT_EQ(layout[1].key, "Agent.Character2.2");
    EXPECT_EQ(layout[1].data, "Kelvorine (kelvorine.example.org)");
    EXPECT_EQ(layout[2].key, "Agent.Character2.2\\shell\\open\\command");
    EXPECT_EQ(layout[2].data, command);
}

TEST(Association, ContentTypeOnlyWhenGivenNothingWithoutExtensionOrCommand) {
    auto layout = FileTypeLayout(".acs", "P", "D", "application/x-acs", "c");
    ASSERT_EQ(layout.size(), 4u);
    EXPECT_EQ(layout[1].valueName, "Content Type");
    EXPECT_EQ(layout[1].data, "application/x-acs");
    EXPECT_TRUE(FileTypeLayout("", "P", "D", "", "c").empty());
    EXPECT_TRUE(FileTypeLayout(".acs", "P", "D", "", "").empty());
}

TEST(Association, OurCommandMatchesInAnyLetterCaseButNoOtherText) {
    std::string ours = OpenCommand("C:\\Users\\a\\Programs\\Kelvorine\\Kelvorine.exe");
    EXPECT_TRUE(SameRegistryText(ours, "\"c:\\users\\A\\PROGRAMS\\kelvorine\\KELVORINE.EXE\" \"%1\""));
    EXPECT_FALSE(SameRegistryText(ours, OpenCommand("C:\\Other\\Kelvorine.exe")));
    EXPECT_FALSE(SameRegistryText(ours, ours + " /x"));
    EXPECT_FALSE(SameRegistryText(ours, ""));
    // Only ASCII letters fold: bytes of another code page stay distinct.
    EXPECT_FALSE(SameRegistryText("\xc4", "\xe4"));
    EXPECT_TRUE(SameRegistryText("", ""));
}

TEST(QuietTasks, OnlyASingleSwitchArgumentChoosesATask) {
    using V = std::vector<std::string>;
    EXPECT_EQ(QuietTaskOf(V{"/associate"}), QuietTask::Associate);
    EXPECT_EQ(QuietTaskOf(V{"-Associate"}), QuietTask::Associate);
    EXPECT_EQ(QuietTaskOf(V{"/UNASSOCIATE"}), QuietTask::Unassociate);
    EXPECT_EQ(QuietTaskOf(V{}), QuietTask::None);
    EXPECT_EQ(QuietTaskOf(V{"C:\\chars\\associate"}), QuietTask::None); // a file to open
    EXPECT_EQ(QuietTaskOf(V{"associate"}), QuietTask::None);
    EXPECT_EQ(QuietTaskOf(V{"/associated"}), QuietTask::None);
    EXPECT_EQ(QuietTaskOf(V{"/"}), QuietTask::None);
    EXPECT_EQ(QuietTaskOf(V{"/associate", "x.acs"}), QuietTask::None);
}
