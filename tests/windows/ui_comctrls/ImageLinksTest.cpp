// Every holder of an image list lets go of it when the list is freed (and takes its handle out
// of its window); a holder freed first leaves nothing behind in the list.
#include "ui/actions/ActnList.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/menus/Menus.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

class ImageLinks : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetBounds(0, 0, 400, 300);
        images = new TImageList(form);
        TBitmap strip;
        strip.SetSize(32, 16);
        images->AddMasked(strip, clFuchsia);
    }
    void TearDown() override { delete app; }
    template <class T> T* Add() {
        auto* c = new T(form);
        c->SetParent(form);
        return c;
    }
    TApplication* app = nullptr;
    TForm* form = nullptr;
    TImageList* images = nullptr;
};

} // namespace

TEST_F(ImageLinks, EveryHolderLetsGoWhenTheListIsFreed) {
    auto* toolBar = Add<TToolBar>();
    auto* pages = Add<TPageControl>();
    auto* listView = Add<TListView>();
    auto* actions = new TActionList(form);
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    popup->Items()->Add(item);
    toolBar->SetImages(images);
    pages->SetImages(images);
    listView->SetSmallImages(images);
    listView->SetLargeImages(images);
    listView->SetSmallImages(nullptr); // the large images still hold the same list
    actions->SetImages(images);
    popup->SetImages(images);
    const auto handle = reinterpret_cast<LRESULT>(images->Handle());
    EXPECT_EQ(SendMessageW(toolBar->Handle(), TB_GETIMAGELIST, 0, 0), handle);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETIMAGELIST, 0, 0), handle);
    EXPECT_EQ(SendMessageW(listView->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), handle);
    EXPECT_TRUE(popup->IsOwnerDraw());

    images->SetName("Moved");
    TComponent elsewhere(nullptr);
    elsewhere.InsertComponent(images); // a move is not a free
    EXPECT_EQ(toolBar->Images(), images);
    form->InsertComponent(images);

    delete images;
    EXPECT_EQ(toolBar->Images(), nullptr);
    EXPECT_EQ(pages->Images(), nullptr);
    EXPECT_EQ(listView->LargeImages(), nullptr);
    EXPECT_EQ(actions->Images(), nullptr);
    EXPECT_EQ(popup->Images(), nullptr);
    EXPECT_FALSE(popup->IsOwnerDraw());
    EXPECT_EQ(SendMessageW(toolBar->Handle(), TB_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(SendMessageW(listView->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
}

TEST_F(ImageLinks, HoldersFreedFirstLeaveTheListUntouched) {
    auto* toolBar = Add<TToolBar>();
    auto* popup = new TPopupMenu(form);
    auto* actions = new TActionList(form);
    auto* updown = Add<TUpDown>();
    auto* buddy = Add<TEdit>();
    toolBar->SetImages(images);
    popup->SetImages(images);
    actions->SetImages(images);
    updown->SetAssociate(buddy);
    popup->SetPopupComponent(buddy);
    delete toolBar;
    delete popup;
    delete actions;
    delete updown;
    delete buddy; // nobody is left to hear of it
    TBitmap more;
    more.SetSize(16, 16);
    images->AddMasked(more, clFuchsia); // change listeners of freed holders would run here
    EXPECT_EQ(images->Count(), 3);
    delete images;
}
