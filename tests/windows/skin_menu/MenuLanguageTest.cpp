// The bar after a language change: the program's File, View and Help captions in each language,
// read under that language's code page (the Chinese ones run in processes of their own, see
// CMakeLists.txt), measured again with the menu font.
#include "MenuFixture.h"

#include "app/logic/Texts.h"
#include "ui/menus/MenuDraw.h"

#include <cstdlib>

namespace kv::test {

namespace {

std::wstring Wide(UINT codePage, std::string_view bytes) {
    std::wstring out(bytes.size() + 1, L'\0');
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), out.data(), int(out.size()));
    out.resize(size_t(std::max(n, 0)));
    return out;
}

int CaptionWidth(const std::wstring& caption) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, MenuFont());
    RECT r{0, 0, 0, 0};
    DrawTextW(screen, caption.c_str(), int(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return r.right > 0 ? r.right + 10 : 0;
}

} // namespace

class MenuLanguages : public MenuBarTest {
protected:
    // Sets the program's captions of `language` and checks the bar shows them, each button as
    // wide as its caption plus 10.
    void Switch(uint8_t lang, UINT codePage) {
        SCOPED_TRACE(int(lang));
        const app::LanguageTexts& t = app::TextsFor(lang);
        menu->BeginUpdate();
        file->SetCaption(std::string(t.fileMenu));
        view->SetCaption(std::string(t.viewMenu));
        help->SetCaption(std::string(t.helpMenu));
        menu->EndUpdate();
        const std::wstring want[] = {Wide(codePage, t.fileMenu), Wide(codePage, t.viewMenu), L"", L"",
                                     Wide(codePage, t.helpMenu)};
        for (int i : {0, 1, 4}) {
            EXPECT_EQ(Button(i)->Caption, want[i]);
            EXPECT_EQ(Button(i)->BoundsRect.Width(), CaptionWidth(want[i]));
        }
        // Their accelerators open them, whatever the language.
        std::vector<HMENU> seen;
        MenuScript::Run({[&] { seen = OpenPopupMenus(); Key(VK_ESCAPE); }, [] {}});
        AltKey('V');
        ASSERT_TRUE(WaitScript());
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0], view->Handle());
    }
};

TEST_F(MenuLanguages, EnglishAndBack) {
    ASSERT_NE(ShowBar(), nullptr);
    Switch(app::kEnglish, 1252);
    EXPECT_EQ(Button(0)->Caption, L"&File");
}

// Run with LANG=zh_CN.UTF-8 (code page 936) and zh_TW.UTF-8 (950); elsewhere they skip, or
// fail where the run asked for the code page (KV_REQUIRE_CODE_PAGE).
TEST_F(MenuLanguages, SimplifiedChineseUnderItsCodePage) {
    if (GetACP() != 936) {
        if (std::getenv("KV_REQUIRE_CODE_PAGE")) FAIL() << "code page " << GetACP();
        GTEST_SKIP() << "needs code page 936";
    }
    ASSERT_NE(ShowBar(), nullptr);
    const int englishWidth = Button(0)->BoundsRect.Width();
    Switch(app::kSimplifiedChinese, 936);
    EXPECT_EQ(Button(0)->Caption, L"\u6587\u4EF6(&F)"); // 文件(&F)
    EXPECT_NE(Button(0)->BoundsRect.Width(), englishWidth);
    Switch(app::kEnglish, 936);
}

TEST_F(MenuLanguages, Big5UnderItsCodePage) {
    if (GetACP() != 950) {
        if (std::getenv("KV_REQUIRE_CODE_PAGE")) FAIL() << "code page " << GetACP();
        GTEST_SKIP() << "needs code page 950";
    }
    ASSERT_NE(ShowBar(), nullptr);
    Switch(app::kBig5, 950);
    EXPECT_EQ(Button(0)->Caption, L"\u6A94\u6848(&F)"); // 檔案(&F)
    Switch(app::kEnglish, 950);
}

} // namespace kv::test
