// The real main window against the stand-in device library, on freshly reset
// simulated panels. Base is ::testing::Test or a TestWithParam.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/CMainPanelDlg.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/support/TestWindows.h"

template <class Base = ::testing::Test>
class LiveMainWindowTest : public Base {
protected:
    static void SetUpTestSuite() { UseOwnControlPipe(); }
    void SetUp() override {
        main = std::make_unique<CMainPanelDlg>();
        ASSERT_TRUE(main->Create(IDD_MAIN_PANEL));
        ASSERT_TRUE(boxes.boxes.empty()) << "the device library did not load";
        ASSERT_EQ(Control("reset"), "ok");
    }
    void TearDown() override {
        if (main) main->DestroyWindow();
        main.reset();
        PumpMessages();
    }
    HWND Main() const { return main->GetSafeHwnd(); }

    MessageBoxRecorder boxes;
    std::unique_ptr<CMainPanelDlg> main;
};
