// A panel window of one kind against the stand-in device library, opened on
// freshly reset simulated panels and connected before each test starts.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "device/CDeviceLibrary.h"
#include "tests/e2e/LiveControl.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

template <class Dlg>
class LivePanelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseOwnControlPipe(); }
    void SetUp() override {
        // The library serves its control channel while any of its objects lives;
        // this one also lets the panels be reset before the window sees them.
        keepAlive = CDeviceLibrary::CreateDeviceManager();
        ASSERT_NE(keepAlive, nullptr) << "the device library did not load";
        ASSERT_EQ(Control("reset"), "ok");
        wnd = std::make_unique<Dlg>(&owner);
        wnd->Open();
        ASSERT_TRUE(::IsWindow(Hwnd()));
        ASSERT_TRUE(boxes.boxes.empty());
        ASSERT_TRUE(PumpUntil([&] { return wnd->IsConnected(); }));
    }
    void TearDown() override {
        if (wnd) wnd->DestroyWindow();
        wnd.reset();
        PumpMessages();
        if (keepAlive) keepAlive->Release();
    }
    HWND Hwnd() const { return wnd->GetSafeHwnd(); }
    bool Pushed(int id) const { return (::SendDlgItemMessageW(Hwnd(), id, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

    ITqDeviceManager* keepAlive = nullptr;
    MessageBoxRecorder boxes;
    GoodbyeRecorder owner;
    std::unique_ptr<Dlg> wnd;
};
