// A layout with one control of every kind, and a form full of them freed many times.
#include "ControlsFixture.h"

#include "tests/windows/support/GuiObjects.h"
#include "ui/classes/LayoutReader.h"
#include "ui/classes/Properties.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"

namespace {

const char kEveryKind[] = R"(
object Form1: TForm
  Width = 500
  Height = 400
  Font.Name = 'Arial'
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 200
    Height = 60
    Caption = 'Panel'
    BevelOuter = bvLowered
    object SpeedButton1: TSpeedButton
      Left = 4
      Top = 4
      Flat = True
      GroupIndex = 1
      Down = True
      Caption = 'S'
    end
  end
  object Memo1: TMemo
    Top = 80
    Lines = ('first' 'second')
    ScrollBars = ssVertical
  end
  object ComboBox1: TComboBox
    Top = 180
    Style = csDropDownList
    ItemIndex = 1
    Items = ('a' 'b' 'c')
    DropDownCount = 4
  end
  object CheckBox1: TCheckBox
    Top = 210
    Caption = 'Check'
    AllowGrayed = True
    State = cbGrayed
  end
  object RadioButton1: TRadioButton
    Top = 230
    Checked = True
  end
  object GroupBox1: TGroupBox
    Left = 220
    Caption = 'Group'
    object Label1: TLabel
      Left = 8
      Top = 20
      Caption = 'Inside'
      Alignment = taCenter
      Layout = tlCenter
      AutoSize = False
      Transparent = True
      Cursor = crHandPoint
    end
  end
  object ScrollBar1: TScrollBar
    Top = 260
    Max = 50
    Position = 30
  end
  object Bevel1: TBevel
    Top = 280
    Shape = bsTopLine
    Style = bsRaised
  end
  object Image1: TImage
    Top = 300
    Center = True
    Stretch = False
  end
  object RadioGroup1: TRadioGroup
    Left = 220
    Top = 120
    ItemIndex = 2
    Columns = 2
    Items = ('x' 'y' 'z')
  end
  object BitBtn1: TBitBtn
    Left = 220
    Top = 240
    Kind = bkCancel
    Layout = blGlyphTop
    Margin = 2
  end
  object Edit1: TEdit
    Top = 330
    ReadOnly = True
  end
  object ListBox1: TListBox
    Left = 300
    Top = 300
  end
  object Button1: TButton
    Left = 400
    Top = 300
  end
end
)";

} // namespace

TEST_F(ControlsTest, LayoutMakesOneOfEveryKind) {
    RegisterStandardControls();
    ReadLayout(*form, kEveryKind);
    ShowAndPaint();
    const char* names[] = {"Panel1",   "SpeedButton1", "Memo1",     "ComboBox1",    "CheckBox1",
                           "RadioButton1", "GroupBox1", "Label1",   "ScrollBar1",   "Bevel1",
                           "Image1",   "RadioGroup1",  "BitBtn1",   "Edit1",        "ListBox1",
                           "Button1"};
    for (const char* name : names) {
        auto* c = form->Find<TControl>(name);
        ASSERT_NE(c, nullptr) << name;
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            EXPECT_EQ(ClassNameOf(w->Handle()), w->ClassName()) << name;
            // Windows that keep a font (panels and scroll bars draw with none of theirs).
            bool keepsFont = !dynamic_cast<TPanel*>(w) && !dynamic_cast<TScrollBar*>(w);
            if (keepsFont) {
                EXPECT_STREQ(FontOf(w->Handle()).lfFaceName, L"Arial") << name;
            }
        }
    }
    auto* speed = form->Find<TSpeedButton>("SpeedButton1");
    EXPECT_EQ(speed->Parent(), form->Find<TPanel>("Panel1"));
    EXPECT_TRUE(speed->Down());
    EXPECT_TRUE(speed->Flat());
    EXPECT_EQ(form->Find<TMemo>("Memo1")->Lines().Count(), 2);
    auto* combo = form->Find<TComboBox>("ComboBox1");
    EXPECT_EQ(combo->ItemIndex(), 1); // set before its items in the text
    EXPECT_EQ(combo->GetText(), "b");
    EXPECT_EQ(form->Find<TCheckBox>("CheckBox1")->State(), cbGrayed);
    EXPECT_EQ(SendMessageW(form->Find<TCheckBox>("CheckBox1")->Handle(), BM_GETCHECK, 0, 0),
              BST_INDETERMINATE);
    EXPECT_TRUE(form->Find<TRadioButton>("RadioButton1")->Checked());
    auto* label = form->Find<TLabel>("Label1");
    EXPECT_EQ(label->Parent(), form->Find<TGroupBox>("GroupBox1"));
    EXPECT_EQ(label->Cursor(), crHandPoint);
    EXPECT_EQ(form->Find<TScrollBar>("ScrollBar1")->Position(), 30);
    auto* group = form->Find<TRadioGroup>("RadioGroup1");
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(group->Buttons(2)->Checked());
    auto* bitBtn = form->Find<TBitBtn>("BitBtn1");
    EXPECT_EQ(bitBtn->Caption(), "Cancel");
    EXPECT_TRUE(bitBtn->Cancel());
    EXPECT_EQ(bitBtn->Layout(), blGlyphTop);
    EXPECT_TRUE(form->Find<TEdit>("Edit1")->ReadOnly());
}

TEST_F(ControlsTest, FormsFullOfEveryKindLeaveNoHandlesBehind) {
    RegisterStandardControls();
    auto cycle = [&] {
        auto* f = new TForm(app);
        ReadLayout(*f, kEveryKind);
        f->Find<TImage>("Image1")->Picture().Bitmap().SetSize(8, 8);
        f->Find<TSpeedButton>("SpeedButton1")->Glyph().SetSize(16, 16);
        f->Find<TBitBtn>("BitBtn1")->Glyph().SetSize(16, 16);
        f->Font().SetHeight(-12); // every control makes a new font
        f->Show();
        RedrawWindow(f->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        app->ProcessMessages();
        delete f;
    };
    for (int i = 0; i < 3; ++i) cycle();
    const kv::test::GuiObjects before = kv::test::CountGuiObjects();
    for (int i = 0; i < 15; ++i) cycle();
    const kv::test::GuiObjects after = kv::test::CountGuiObjects();
    EXPECT_TRUE(kv::test::GrewAtMost(before, after, 2));
    EXPECT_EQ(after.windows, before.windows);
}
