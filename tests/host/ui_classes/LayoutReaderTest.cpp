#include "TestClasses.h"
#include "ui/classes/Exception.h"
#include "ui/classes/LayoutReader.h"

#include <gtest/gtest.h>

namespace {

class LayoutRead : public testing::Test {
protected:
    void SetUp() override {
        RegisterComponentClass<TSample>();
        RegisterComponentClass<TPlain>();
        LoadedLog().clear();
        root.PublishMethod("Pinged", TNotifyEvent([this](TObject* s) { pinged = s; }));
        root.PublishMethod("WrongKind", std::function<void(int)>([](int) {}));
    }

    // The line the error names, or 0 when the text read without error.
    int ErrorLine(std::string_view text) {
        try {
            ReadLayout(root, text);
        } catch (const ELayoutError& e) {
            message = e.Message();
            return e.Line();
        }
        return 0;
    }

    TSampleRoot root{nullptr};
    TObject* pinged = nullptr;
    std::string message;
};

const char* kFull = R"(object Form1: TSampleRoot
  Caption = 'It''s '#75'elvorine' +
    ' viewer'
  Width = 336
  Flat = True // comment
  Options = [soTwo, soThree]
  Color = clRed
  Lines = (
    'Acknowledge'
    'Alert')
  object Child1: TSample
    Shade = shNone
    Partner = Child2
    OnPing = Pinged
    Blob = { 03000000
             0A0B
             0C }
    object Grandchild: TSample
      Width = $10
      Color = 'Ctrl+O'
    end
  end
  object Child2: TSample
    Partner = Form1
    Tag = -7
  end
  object Other: TPlain
  end
end
)";

} // namespace

TEST_F(LayoutRead, AssignsEveryKindOfProperty) {
    ReadLayout(root, kFull);
    EXPECT_EQ(root.Name(), "Form1");
    EXPECT_EQ(root.Caption(), "It's Kelvorine viewer");
    EXPECT_EQ(root.Width(), 336);
    EXPECT_TRUE(root.Flat());
    EXPECT_EQ(root.Options(), 0b110);
    EXPECT_EQ(root.Color(), 0xFF);
    ASSERT_EQ(root.Lines().Count(), 2);
    EXPECT_EQ(root.Lines()[1], "Alert");

    auto* child1 = root.Find<TSample>("Child1");
    auto* child2 = root.Find<TSample>("Child2");
    auto* grandchild = root.Find<TSample>("Grandchild");
    ASSERT_TRUE(child1 && child2 && grandchild);
    EXPECT_EQ(grandchild->Owner(), &root); // the root owns everything read
    EXPECT_EQ(root.children, (std::vector<TSample*>{child1, child2}));
    EXPECT_EQ(child1->children, (std::vector<TSample*>{grandchild}));
    EXPECT_EQ(child1->Shade(), TShade::shNone);
    EXPECT_EQ(child1->Partner(), child2); // forward reference
    EXPECT_EQ(child2->Partner(), &root);
    EXPECT_EQ(child2->Tag(), -7);
    EXPECT_EQ(child1->Blob(), (std::vector<uint8_t>{0x0A, 0x0B, 0x0C}));
    EXPECT_EQ(grandchild->Width(), 16);
    EXPECT_EQ(grandchild->Color(), 0x4000 + 'O');
    ASSERT_TRUE(child1->OnPing);
    child1->OnPing(child1);
    EXPECT_EQ(pinged, child1);
}

TEST_F(LayoutRead, PropertiesAreSetWhileLoadingAndLoadedFollowsInOrder) {
    ReadLayout(root, kFull);
    auto* child1 = root.Find<TSample>("Child1");
    EXPECT_TRUE(root.flatSetWhileLoading_);
    EXPECT_EQ(LoadedLog(),
              (std::vector<std::string>{"Form1", "Child1", "Grandchild", "Child2", "Other"}));
    EXPECT_TRUE(child1->wasLoadingInLoaded_);
    EXPECT_EQ(child1->loadedCalls, 1);
    EXPECT_FALSE(child1->IsLoading());
    EXPECT_FALSE(root.IsLoading());
}

TEST_F(LayoutRead, BinaryFromAResource) {
    TLayoutResourceFinder finder =
        [](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        if (name != "SKIN") return std::nullopt;
        return std::vector<uint8_t>{2, 0, 0, 0, 7, 8};
    };
    ReadLayout(root, "object F: TSampleRoot\n  Blob = resource 'SKIN'\nend\n", finder);
    EXPECT_EQ(root.Blob(), (std::vector<uint8_t>{7, 8}));
    EXPECT_EQ(ErrorLine("object F: TSampleRoot\n\n  Blob = resource 'NONE'\nend\n"), 3);
}

TEST_F(LayoutRead, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* mentions;
    };
    const Case cases[] = {
        {"object F: TSampleRoot\n  Widht = 3\nend", 2, "Widht"},
        {"object F: TSampleRoot\r\n  Width = 3\r\n  Flat = Yes\r\nend", 3, "Yes"},
        {"object F: TSampleRoot\r  Width = 'x'\rend", 2, "Width"},
        {"object F: TSampleRoot\n\n\n  object B: TMissing\n  end\nend", 4, "TMissing"},
        {"object F: TWrongRoot\nend", 1, "TWrongRoot"},
        {"object F: TSampleRoot\n  Width = -4\nend", 2, "below zero"},
        {"object F: TSampleRoot\n  Partner = Nobody\nend", 2, "Nobody"},
        {"object F: TSampleRoot\n  OnPing = NoHandler\nend", 2, "NoHandler"},
        {"object F: TSampleRoot\n  OnPing = WrongKind\nend", 2, "WrongKind"},
        {"object F: TSampleRoot\n  object A: TSample\n  end\n  object a: TSample\n  end\nend", 4,
         "a"},
        {"object F: TSampleRoot\n  object P: TPlain\n    object Q: TSample\n    end\n  end\nend", 3,
         "cannot contain"},
        {"object F: TSampleRoot\n  Caption = 'open\nend", 2, "quote"},
        {"object F: TSampleRoot\n  Blob = { 0A0\n }\nend", 3, "odd"},
        {"object F: TSampleRoot\n  Options = [soOne, soNine]\nend", 2, "soNine"},
        {"object F: TSampleRoot\n  Width = 99999999999999999999\nend", 2, "large"},
        {"object F: TSampleRoot\n  Width = 3\n", 1, "end"},
        {"object F: TSampleRoot\nend\nobject G: TSampleRoot\nend", 3, "after"},
        {"object F: TSampleRoot\n  Caption = #300\nend", 2, "255"},
        {"object F: TSampleRoot\n  Lines = ('a' 3)\nend", 2, "string"},
        {"object F: TSampleRoot\n  Width ? 3\nend", 2, "?"},
    };
    for (const Case& c : cases) {
        TSampleRoot fresh(nullptr);
        fresh.PublishMethod("WrongKind", std::function<void(int)>([](int) {}));
        int line = 0;
        std::string what;
        try {
            ReadLayout(fresh, c.text);
        } catch (const ELayoutError& e) {
            line = e.Line();
            what = e.Message();
        }
        EXPECT_EQ(line, c.line) << c.text;
        EXPECT_NE(what.find(c.mentions), std::string::npos) << what;
        EXPECT_NE(what.find("line " + std::to_string(c.line)), std::string::npos) << what;
        for (int i = 0; i < fresh.ComponentCount(); ++i)
            EXPECT_FALSE(fresh.Components(i)->IsLoading());
    }
}

TEST_F(LayoutRead, FailedReadCallsNoLoaded) {
    EXPECT_EQ(ErrorLine("object F: TSampleRoot\n  object A: TSample\n  end\n  Width = x\nend"), 4);
    EXPECT_TRUE(LoadedLog().empty());
    EXPECT_FALSE(root.IsLoading());
}
