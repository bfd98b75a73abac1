#include "ui/actions/ActnList.h"
#include "ui/classes/LayoutReader.h"
#include "ui/classes/Properties.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImageList.h"

#include <gtest/gtest.h>

namespace {

// A client that records what its action told it, as a tool button would.
struct RecordingClient : TActionClient {
    TActionLink link{*this};
    std::string caption;
    bool enabled = false, checked = false;
    int changes = 0, freed = 0;
    void ActionChanged(const TAction& a) override {
        caption = a.Caption();
        enabled = a.Enabled();
        checked = a.Checked();
        ++changes;
    }
    void ActionFreed() override { ++freed; }
};

} // namespace

TEST(ShortCuts, TextOfTheViewerShortCuts) {
    EXPECT_EQ(ShortCut('O', ssCtrl), 16463);
    EXPECT_EQ(ShortCutToText(ShortCut('O', ssCtrl)), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(ShortCut('U', ssCtrl)), "Ctrl+U");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, 0)), "F1");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssShift)), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, ssAlt | ssCtrl | ssShift)), "Shift+Ctrl+Alt+F4");
    EXPECT_EQ(ShortCutToText(scNone), "");
}

TEST(ShortCuts, TextReadsBackInAnyCaseAndOrder) {
    for (const char* text : {"Ctrl+O", "Ctrl+U", "F1", "Shift+Del", "Ctrl+PgDn", "Alt+Enter"})
        EXPECT_EQ(ShortCutToText(TextToShortCut(text)), text);
    EXPECT_EQ(TextToShortCut("ctrl+o"), 16463);
    EXPECT_EQ(TextToShortCut("Alt+Ctrl+Q"), ShortCut('Q', ssCtrl | ssAlt));
    EXPECT_EQ(TextToShortCut(""), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
}

TEST(Actions, LinkedClientsHearEveryChangeAndSurviveEitherSideGoingFirst) {
    auto* action = new TAction(nullptr);
    action->SetCaption("&Open");
    RecordingClient a, b;
    a.link.SetAction(action);
    b.link.SetAction(action);
    EXPECT_EQ(a.caption, "&Open");
    EXPECT_TRUE(a.enabled);
    action->SetEnabled(false);
    action->SetChecked(true);
    action->SetChecked(true); // no change, no call
    EXPECT_FALSE(b.enabled);
    EXPECT_TRUE(b.checked);
    EXPECT_EQ(b.changes, 3);
    {
        RecordingClient shortLived;
        shortLived.link.SetAction(action);
    }
    action->SetCaption("&Close"); // the destroyed client's link is gone
    EXPECT_EQ(a.caption, "&Close");
    delete action;
    EXPECT_EQ(a.link.Action(), nullptr);
    EXPECT_EQ(b.freed, 1);
    EXPECT_FALSE(a.link.Execute());
}

TEST(Actions, ExecuteUpdatesFirstAndRunsOnlyWhenEnabled) {
    TAction action(nullptr);
    int executed = 0;
    action.OnUpdate = [&](TObject*) { action.SetEnabled(executed == 0); };
    action.OnExecute = [&](TObject* sender) {
        EXPECT_EQ(sender, &action);
        ++executed;
    };
    action.SetAutoCheck(true);
    EXPECT_TRUE(action.Execute());
    EXPECT_TRUE(action.Checked());
    EXPECT_FALSE(action.Execute()); // OnUpdate disabled it
    EXPECT_EQ(executed, 1);
    EXPECT_TRUE(action.Checked());
}

TEST(Actions, ListFindsShortCutsAndFreesItsActions) {
    TComponent owner(nullptr);
    auto* list = new TActionList(&owner);
    auto* open = new TAction(&owner);
    auto* quit = new TAction(&owner);
    open->SetActionList(list);
    quit->SetActionList(list);
    open->SetShortCut(TextToShortCut("Ctrl+O"));
    int runs = 0;
    open->OnExecute = [&](TObject*) { ++runs; };
    EXPECT_EQ(quit->Index(), 1);
    EXPECT_TRUE(list->IsShortCut(16463));
    EXPECT_FALSE(list->IsShortCut(TextToShortCut("Ctrl+Q")));
    open->SetEnabled(false);
    EXPECT_FALSE(list->IsShortCut(16463)); // the key goes on as an ordinary key
    EXPECT_EQ(runs, 1);
    delete quit;
    EXPECT_EQ(list->ActionCount(), 1);
    delete list;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Actions, ReadFromALayout) {
    RegisterActionClasses();
    RegisterComponentClass<TImageList>();
    TForm form(nullptr);
    int opened = 0;
    form.PublishMethod("OpenAgentExecute", TNotifyEvent([&](TObject*) { ++opened; }));
    ReadLayout(form, R"(object Form1: TForm
  object ActionList1: TActionList
    Images = ImageList1
    object OpenAgent: TAction
      Caption = '&Open'
      Hint = 'Open File'
      ImageIndex = 0
      ShortCut = 16463
      OnExecute = OpenAgentExecute
    end
    object About: TAction
      Caption = '&About'
      ShortCut = 'F1'
      Category = 'Help'
    end
  end
  object ImageList1: TImageList
  end
end
)");
    auto* list = form.Find<TActionList>("ActionList1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Images(), form.Find<TImageList>("ImageList1"));
    ASSERT_EQ(list->ActionCount(), 2);
    TAction* open = list->Actions(0);
    EXPECT_EQ(open->Name(), "OpenAgent");
    EXPECT_EQ(open->Hint(), "Open File");
    EXPECT_EQ(open->ImageIndex(), 0);
    EXPECT_EQ(ShortCutToText(open->ShortCut()), "Ctrl+O");
    EXPECT_EQ(list->Actions(1)->ShortCut(), VK_F1);
    EXPECT_EQ(list->Actions(1)->ImageIndex(), -1);
    EXPECT_TRUE(open->Execute());
    EXPECT_EQ(opened, 1);
    EXPECT_THROW(ReadLayout(form, "object Form1: TForm\n object ActionList2: TActionList\n"
                                  "  object X: TImageList\n  end\n end\nend\n"),
                 ELayoutError);
}
