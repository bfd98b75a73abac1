#include "ui/classes/Exception.h"
#include "ui/controls/StdCtrls.h"
#include "ui/core/DispatchBarrier.h"
#include "ui/forms/Forms.h"
#include "ui/menus/Menus.h"
#include "ui/services/Timer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Something thrown that is not a std::exception.
struct Foreign {};

class Barrier : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        app->OnException = [this](const std::exception& e) { reports.push_back(e.what()); };
        form = new TForm(app);
    }
    void TearDown() override { delete app; }

    template <class F> bool PumpUntil(F condition) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            app->ProcessMessages();
            if (GetTickCount() - start > 2000) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }

    TApplication* app = nullptr;
    TForm* form = nullptr;
    std::vector<std::string> reports;
};

} // namespace

TEST_F(Barrier, ControlProcedureReportsStandardAndForeignExceptions) {
    auto* button = new TButton(form);
    button->SetParent(form);
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        if (++clicks == 1) throw std::runtime_error("disk full");
        throw Foreign{};
    };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "disk full");
    EXPECT_EQ(reports[1], "Unknown error");
}

// The popup list's procedure used to let anything but a std::exception through.
TEST_F(Barrier, PopupListProcedureReportsForeignExceptions) {
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("&Throw");
    popup->Items()->Add(item);
    item->OnClick = [](TObject*) { throw Foreign{}; };
    ASSERT_NE(item->Command(), 0u);
    SendMessageW(TPopupMenu::PopupWindow(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Unknown error");
}

TEST_F(Barrier, TimerHandlerExceptionsReachTheApplicationReport) {
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.SetOnTimer([&](TObject*) {
        timer.SetEnabled(false);
        throw Foreign{};
    });
    ASSERT_TRUE(PumpUntil([&] { return !reports.empty(); }));
    EXPECT_EQ(reports[0], "Unknown error");
}

TEST(DispatchBarrier, ReturnsTheResultOrTheErrorValueAndNeverThrows) {
    std::vector<std::string> reports;
    TExceptionHandler previous =
        SetDispatchExceptionHandler([&](const std::exception& e) { reports.push_back(e.what()); });
    EXPECT_EQ(DispatchBarrier([] { return LRESULT(7); }), 7);
    EXPECT_EQ(DispatchBarrier([] {}), 0);
    EXPECT_EQ(DispatchBarrier([]() -> LRESULT { throw Exception("no"); }, -1), -1);
    // A report that fails itself goes nowhere, and the barrier still holds.
    SetDispatchExceptionHandler([](const std::exception&) { throw Foreign{}; });
    EXPECT_EQ(DispatchBarrier([]() -> LRESULT { throw Foreign{}; }, 3), 3);
    SetDispatchExceptionHandler(std::move(previous));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "no");
}
