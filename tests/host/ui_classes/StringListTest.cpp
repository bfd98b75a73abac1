#include "ui/classes/Exception.h"
#include "ui/classes/Streams.h"
#include "ui/classes/Strings.h"

#include <gtest/gtest.h>

#include <cstdio>

static std::vector<std::string> Lines(const TStrings& s) {
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i) out.push_back(s[i]);
    return out;
}

using V = std::vector<std::string>;

TEST(StringListLines, LoadingSplitsAtCrLfCrOrLf) {
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(Lines(list), (V{"a", "b", "c", "d"}));
    list.SetText("a\n\nb\r\n\r\n");
    EXPECT_EQ(Lines(list), (V{"a", "", "b", ""}));
    list.SetText("\r\r\n\n");
    EXPECT_EQ(Lines(list), (V{"", "", ""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    list.SetText("last without break");
    EXPECT_EQ(Lines(list), (V{"last without break"}));
}

TEST(StringListLines, SavingEndsEveryLineWithCrLf) {
    TStringList list{"one", "", "three"};
    EXPECT_EQ(list.Text(), "one\r\n\r\nthree\r\n");
    TMemoryStream stream;
    list.SaveToStream(stream);
    std::string saved(stream.Bytes().begin(), stream.Bytes().end());
    EXPECT_EQ(saved, "one\r\n\r\nthree\r\n");
    TStringList empty;
    EXPECT_EQ(empty.Text(), "");
}

TEST(StringListLines, BytesAboveAsciiPassUnchanged) {
    TStringList list;
    list.SetText("\xC4\xE3\xBA\xC3\n\xA7\x41"); // GB2312 and Big5 bytes stay as they are
    EXPECT_EQ(Lines(list), (V{"\xC4\xE3\xBA\xC3", "\xA7\x41"}));
}

TEST(StringListLines, FileRoundTripAndMissingFile) {
    std::string path = testing::TempDir() + "kv_strings_test.txt";
    TStringList list{"Acknowledge", "Alert"};
    list.SaveToFile(path);
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(Lines(back), (V{"Acknowledge", "Alert"}));
    std::remove(path.c_str());
    EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
    EXPECT_THROW(list.SaveToFile(testing::TempDir() + "no/such/dir/x.txt"), EFCreateError);
}

TEST(StringListIndexes, OutOfRangeThrowsAndNamesTheIndex) {
    TStringList list{"a"};
    EXPECT_THROW(list.Get(1), EStringListError);
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Delete(5), EStringListError);
    EXPECT_THROW(list.Insert(3, "x"), EStringListError);
    try {
        list.Get(7);
    } catch (const EStringListError& e) {
        EXPECT_NE(e.Message().find("(7)"), std::string::npos);
    }
    list.Insert(1, "b"); // at the end is allowed
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
}

TEST(StringListSorting, SortedKeepsCaseInsensitiveOrderAndHandlesDuplicates) {
    TStringList list{"pear", "Apple", "fig"};
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (V{"Apple", "fig", "pear"}));
    EXPECT_EQ(list.Add("banana"), 1);
    EXPECT_EQ(list.Add("BANANA"), 1); // ignored duplicate
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf("PEAR"), 3);
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add("fig"), EStringListError);
}

TEST(StringListValues, NamesAndValues) {
    TStringList list{"TMyGrid=grid", "tother=combobox", "noequals"};
    EXPECT_EQ(list.Values("tmygrid"), "grid");
    EXPECT_EQ(list.Names(1), "tother");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("missing"), "");
    list.SetValue("TOther", "edit");
    EXPECT_EQ(list.Values("tother"), "edit");
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringListChanges, OnChangeOncePerBatch) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.SetText("x\ny\nz");
    EXPECT_EQ(changes, 2);
    TStringList other{"1", "2"};
    list.Assign(other);
    EXPECT_EQ(changes, 3);
    list.BeginUpdate();
    list.Add("b");
    list.Delete(0);
    EXPECT_EQ(changes, 3);
    list.EndUpdate();
    EXPECT_EQ(changes, 4);
}

TEST(MemoryStreams, ShortReadsThrowAndSeeksAreChecked) {
    TMemoryStream stream(std::vector<uint8_t>{1, 2, 3});
    uint8_t buf[4] = {};
    EXPECT_EQ(stream.Read(buf, 4), 3u);
    stream.SetPosition(1);
    EXPECT_THROW(stream.ReadBuffer(buf, 3), EReadError);
    EXPECT_THROW(stream.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
    stream.SetPosition(5);
    stream.WriteBuffer("\x09", 1); // the gap fills with zeros
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{1, 2, 3, 0, 0, 9}));
    EXPECT_EQ(stream.Read(buf, 1), 0u);
    EXPECT_THROW(stream.SetSize(TMemoryStream::kMaxMemoryStream + 1), EStreamError);
}
