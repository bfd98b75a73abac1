// An MDI frame and its children: children made through the client are skinned once the frame
// has refreshed its window menu; tiling leaves the maximised state.
#include "SkinFixture.h"

namespace kv::test {
namespace {

class SkinnedMdi : public SkinnedForm {
protected:
    TForm* AddChild(const char* caption) {
        auto* child = new TForm(form);
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(10, 10, 200, 150);
        child->Show();
        return child;
    }
};

TEST_F(SkinnedMdi, ChildrenMadeThroughTheClientAreSkinned) {
    form->SetFormStyle(TFormStyle::fsMDIForm);
    TWinSkinForm* frame = ShowSkinned();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Mdi, MdiKind::Frame);
    TForm* one = AddChild("One");
    TForm* two = AddChild("Two");
    for (TForm* child : {one, two}) {
        SCOPED_TRACE(child->Caption());
        TWinSkinForm* skin = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            skin = SkinManager->FindForm(child->Handle());
            return skin && skin->SkinState == 1;
        }));
        EXPECT_EQ(skin->Mdi, MdiKind::Child);
        EXPECT_EQ(SendMessageW(child->Handle(), WM_SKINQUERY, 0, 0), 1);
    }
    EXPECT_EQ(frame->CreatedMdiChild, nullptr);
    EXPECT_EQ(SkinManager->CountMdiChildren(), 2);
}

TEST_F(SkinnedMdi, ChildrenMadeBeforeTheFrameWasSkinnedAreSkinnedWithIt) {
    form->SetFormStyle(TFormStyle::fsMDIForm);
    form->HandleNeeded();
    TForm* early = AddChild("Early"); // the frame is not shown, so not skinned, yet
    EXPECT_EQ(SkinManager->FindForm(early->Handle()), nullptr);
    ASSERT_NE(ShowSkinned(), nullptr);
    EXPECT_TRUE(WaitFor([&] {
        TWinSkinForm* skin = SkinManager->FindForm(early->Handle());
        return skin && skin->SkinState == 1;
    }));
}

TEST_F(SkinnedMdi, TilingLeavesTheMaximisedState) {
    form->SetFormStyle(TFormStyle::fsMDIForm);
    ASSERT_NE(ShowSkinned(), nullptr);
    TForm* one = AddChild("One");
    AddChild("Two");
    ASSERT_TRUE(WaitFor([&] { return SkinManager->CountMdiChildren() == 2; }));
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(one->Handle()), 0);
    SkinManager->SetMdiMaximized(true); // as the frame's menu bar marks it
    SendMessageW(form->ClientHandle(), WM_MDITILE, 0, 0);
    EXPECT_FALSE(SkinManager->MdiMaximized);
    EXPECT_FALSE(IsZoomed(one->Handle()));
}

TEST_F(SkinnedMdi, UnskinningTheFrameLetsGoOfItsClient) {
    form->SetFormStyle(TFormStyle::fsMDIForm);
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND client = form->ClientHandle();
    data->SetActive(false);
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(form->Handle()) == nullptr; }));
    // A child made now is not skinned and nothing calls into the freed frame skin.
    TForm* late = AddChild("Late");
    Pump(400);
    EXPECT_EQ(SkinManager->FindForm(late->Handle()), nullptr);
    EXPECT_TRUE(IsWindow(client));
}

} // namespace
} // namespace kv::test
