// The standard kinds over system windows: class names, check state from real clicks, combo
// box and memo contents, scroll bars.
#include "ControlsFixture.h"

#include "ui/classes/Properties.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"

namespace {
LONG_PTR StyleOf(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_STYLE);
}
std::wstring ComboItem(HWND hwnd, int i) {
    wchar_t text[64] = {};
    SendMessageW(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
}
std::wstring TextOf(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}
} // namespace

TEST_F(ControlsTest, EveryWindowedKindRegistersItsTName) {
    std::vector<TWinControl*> kinds{Add<TMemo>(),     Add<TComboBox>(),   Add<TCheckBox>(),
                                    Add<TRadioButton>(), Add<TGroupBox>(), Add<TScrollBar>(),
                                    Add<TPanel>(),    Add<TRadioGroup>(), Add<TBitBtn>()};
    for (TWinControl* c : kinds) {
        EXPECT_EQ(ClassNameOf(c->Handle()), c->ClassName());
        EXPECT_EQ(TWinControl::FromHandle(c->Handle()), c);
    }
    // Real system controls underneath: they answer their own messages.
    EXPECT_EQ(SendMessageW(kinds[1]->Handle(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(StyleOf(kinds[3]->Handle()) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(StyleOf(kinds[4]->Handle()) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_TRUE(StyleOf(kinds[0]->Handle()) & ES_MULTILINE);
    EXPECT_TRUE(kinds[0]->InheritsFrom("TCustomEdit"));
}

TEST_F(ControlsTest, FlatAndTransparentAreSetByNameOnlyWhereTheKindHasThem) {
    auto* speed = Add<TSpeedButton>();
    auto* label = Add<TLabel>();
    auto* image = Add<TImage>();
    auto* panel = Add<TPanel>();
    auto* button = Add<TButton>();
    EXPECT_TRUE(SetEnumProp(*speed, "Flat", "True"));
    EXPECT_TRUE(speed->Flat());
    EXPECT_TRUE(SetEnumProp(*speed, "Transparent", "False"));
    EXPECT_FALSE(speed->Transparent());
    EXPECT_TRUE(SetEnumProp(*label, "Transparent", "True"));
    EXPECT_TRUE(label->Transparent());
    EXPECT_TRUE(SetEnumProp(*image, "Transparent", "True"));
    EXPECT_FALSE(SetEnumProp(*panel, "Flat", "True"));
    EXPECT_FALSE(SetEnumProp(*button, "Transparent", "True"));
    EXPECT_FALSE(SetEnumProp(*label, "Flat", "True"));
}

TEST_F(ControlsTest, CheckBoxCyclesOnRealClicksOnly) {
    auto* box = Add<TCheckBox>();
    box->SetBounds(10, 10, 120, 20);
    box->SetCaption("Loop");
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    HWND hwnd = box->Handle();
    ShowAndPaint();

    SendMessageW(hwnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMouse(hwnd, WM_LBUTTONDOWN, 5, 8, MK_LBUTTON);
    SendMouse(hwnd, WM_LBUTTONUP, 5, 8);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);

    box->SetAllowGrayed(true);
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 5);

    box->SetChecked(true); // from code: no click
    EXPECT_EQ(clicks, 5);
    EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetEnumProp(*box, "Checked"), "True");
    box->SetAlignment(taLeftJustify);
    EXPECT_TRUE(StyleOf(hwnd) & BS_LEFTTEXT);
}

TEST_F(ControlsTest, RadioButtonsAreExclusiveAmongSiblingsOnly) {
    auto* a = Add<TRadioButton>();
    auto* b = Add<TRadioButton>();
    auto* group = Add<TGroupBox>();
    auto* c = Add<TRadioButton>(group);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetChecked(true);
    c->SetChecked(true);
    ShowAndPaint();
    SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(SendMessageW(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(c->Checked()); // another parent, another group
    SendMessageW(b->Handle(), BM_CLICK, 0, 0); // already checked: nothing happens
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b->Checked());
}

TEST_F(ControlsTest, RadioGroupMakesItsButtonsAndFollowsTheirClicks) {
    auto* group = Add<TRadioGroup>();
    group->SetBounds(10, 10, 200, 100);
    group->SetColumns(2);
    group->Items().SetText("Small\nMedium\nLarge");
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    ShowAndPaint();
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(ClassNameOf(group->Buttons(2)->Handle()), "TRadioButton");
    EXPECT_EQ(GetParent(group->Buttons(0)->Handle()), group->Handle());
    EXPECT_EQ(TextOf(group->Buttons(1)->Handle()), L"Medium");
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left()); // second column
    EXPECT_TRUE(group->LoadedChildren().empty());

    SendMessageW(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    group->SetItemIndex(0);
    EXPECT_EQ(SendMessageW(group->Buttons(0)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(group->Buttons(2)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicks, 1);

    group->Items().SetText("Yes\nNo");
    EXPECT_EQ(group->ButtonCount(), 2);
    group->SetItemIndex(5);
    EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(ControlsTest, ComboBoxStylesAndItemsRoundTrip) {
    struct Case {
        TComboBoxStyle style;
        DWORD bits;
    };
    const Case cases[] = {{csDropDown, CBS_DROPDOWN},
                          {csSimple, CBS_SIMPLE},
                          {csDropDownList, CBS_DROPDOWNLIST},
                          {csOwnerDrawFixed, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED},
                          {csOwnerDrawVariable, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE}};
    for (const Case& c : cases) {
        auto* combo = Add<TComboBox>();
        combo->SetStyle(c.style);
        combo->Items().SetText("Acknowledge\r\nAlert\r\nAnnounce");
        HWND hwnd = combo->Handle();
        EXPECT_EQ(StyleOf(hwnd) & 0x33, static_cast<LONG_PTR>(c.bits)) << c.style;
        EXPECT_EQ(SendMessageW(hwnd, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(ComboItem(hwnd, 2), L"Announce");
        combo->SetItemIndex(1);
        EXPECT_EQ(combo->ItemIndex(), 1);
        EXPECT_EQ(combo->GetText(), "Alert");
    }
}

TEST_F(ControlsTest, ComboBoxKeepsTextSelectionAndItemsAcrossChanges) {
    auto* combo = Add<TComboBox>();
    combo->Items().SetText("one\ntwo\nthree");
    HWND hwnd = combo->Handle();
    SetWindowTextW(hwnd, L"typed");
    combo->Items().Add("four"); // the list is refilled, the typed text stays
    EXPECT_EQ(combo->GetText(), "typed");

    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->SetStyle(csDropDownList); // a new window with the same items
    EXPECT_NE(combo->Handle(), hwnd);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
    combo->SetItemIndex(0);
    ShowAndPaint();
    SetFocus(combo->Handle());
    SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0); // the user picks the next item
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(changes, 1);
    combo->SetText("three");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetText("none of them");
    EXPECT_EQ(combo->ItemIndex(), -1);
    // The control keeps its closed height; the window holds the dropped list.
    RECT r;
    GetWindowRect(combo->Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, combo->Height());
    EXPECT_LT(combo->Height(), 40);
}

TEST_F(ControlsTest, OwnerDrawnComboBoxAsksForItsItems) {
    auto* combo = Add<TComboBox>();
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetItemHeight(20);
    combo->Items().SetText("red\ngreen");
    combo->SetItemIndex(1);
    std::vector<int> drawn;
    combo->OnDrawItem = [&](TWinControl* c, int index, const RECT& rect, UINT) {
        EXPECT_EQ(c, combo);
        drawn.push_back(index);
        combo->Canvas().Brush().SetColor(clLime);
        combo->Canvas().FillRect(rect);
    };
    ShowAndPaint();
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 20);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), 1); // the selection field shows the selected item
}

TEST_F(ControlsTest, MemoLinesAndWindowTextAgreeAcrossLineBreaks) {
    auto* memo = Add<TMemo>();
    memo->Lines().SetText("one\r\ntwo\nthree\r");
    HWND hwnd = memo->Handle();
    EXPECT_EQ(TextOf(hwnd), L"one\r\ntwo\r\nthree");
    EXPECT_EQ(SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0), 3);

    SetWindowTextW(hwnd, L"a\r\nb\r\n\r\nc"); // as if typed
    ASSERT_EQ(memo->Lines().Count(), 4);
    EXPECT_EQ(memo->Lines()[2], "");
    EXPECT_EQ(memo->Lines()[3], "c");
    memo->Lines().Add("d");
    EXPECT_EQ(TextOf(hwnd), L"a\r\nb\r\n\r\nc\r\nd");

    memo->SetWordWrap(false); // a new window; the text goes with it
    EXPECT_NE(memo->Handle(), hwnd);
    EXPECT_TRUE(StyleOf(memo->Handle()) & ES_AUTOHSCROLL);
    EXPECT_EQ(TextOf(memo->Handle()), L"a\r\nb\r\n\r\nc\r\nd");
    memo->SetScrollBars(ssBoth);
    EXPECT_TRUE(StyleOf(memo->Handle()) & WS_VSCROLL);
    EXPECT_TRUE(StyleOf(memo->Handle()) & WS_HSCROLL);
    memo->SetReadOnly(true);
    EXPECT_TRUE(StyleOf(memo->Handle()) & ES_READONLY);

    SetWindowTextW(memo->Handle(), L"kept");
    memo->DestroyHandle(); // what was in the window stays in Lines
    EXPECT_EQ(memo->Lines().Text(), "kept\r\n");
}

TEST_F(ControlsTest, ScrollBarMovesWithinItsRange) {
    auto* bar = Add<TScrollBar>();
    bar->SetParams(5, 0, 20);
    bar->SetLargeChange(10);
    std::vector<int> seen;
    bar->OnChange = [&](TObject*) { seen.push_back(bar->Position()); };
    HWND hwnd = bar->Handle();
    auto scroll = [&](int code) {
        SendMessageW(form->Handle(), WM_HSCROLL, static_cast<WPARAM>(code),
                     reinterpret_cast<LPARAM>(hwnd));
    };
    scroll(SB_LINEDOWN);
    scroll(SB_PAGEDOWN);
    scroll(SB_PAGEDOWN); // stops at Max
    scroll(SB_PAGEDOWN); // no change, no event
    scroll(SB_TOP);
    EXPECT_EQ(seen, (std::vector<int>{6, 16, 20, 0}));
    EXPECT_EQ(GetScrollPos(hwnd, SB_CTL), 0);
    bar->SetPosition(50);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(GetScrollPos(hwnd, SB_CTL), 20);
    bar->SetKind(sbVertical);
    EXPECT_TRUE(StyleOf(bar->Handle()) & SBS_VERT);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 20);
}

TEST_F(ControlsTest, LabelSizesItselfToItsText) {
    auto* label = Add<TLabel>();
    label->SetCaption("A short one");
    int shortWidth = label->Width();
    label->SetCaption("A much longer caption than before");
    EXPECT_GT(label->Width(), shortWidth);
    int oneLine = label->Height();
    label->SetWordWrap(true);
    label->SetWidth(60);
    label->SetCaption("Words that cannot fit on one line of sixty pixels");
    EXPECT_EQ(label->Width(), 60);
    EXPECT_GT(label->Height(), oneLine);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 174, 22);
    label->SetCaption("x");
    EXPECT_EQ(label->Width(), 174);
}
TEST_F(ControlsTest, AControlAskedForItsWindowBeforeItsFormHasExactlyOne) {
    auto* box = Add<TCheckBox>();
    HWND hwnd = box->Handle(); // makes the form's window first, which makes the box's
    int children = 0;
    for (HWND c = GetWindow(form->Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 1);
    EXPECT_EQ(TWinControl::FromHandle(hwnd), box);
    ShowAndPaint(); // no orphan window left asking to be painted forever
    EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE) == FALSE);
}
