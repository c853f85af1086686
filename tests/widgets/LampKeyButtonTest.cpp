// CLampKeyButton: the hidden 4 x 4 lamp made at attach, SetLamp, and the lamp
// drawn over the key.
#include <gtest/gtest.h>

#include <memory>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/CLampKeyButton.h"

namespace {

using widgettest::HostWindow;
using widgettest::Pump;
using widgettest::Repaint;
using widgettest::ResourceBitmap;
using widgettest::ScreenPixelOf;

constexpr DWORD kKeyStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_OWNERDRAW;

RECT LampRectInKey(HWND key, HWND lamp) {
    RECT rc{};
    ::GetWindowRect(lamp, &rc);
    ::MapWindowPoints(nullptr, key, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class LampKeyButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    HostWindow host;
};

TEST_F(LampKeyButtonTest, CreatedKeyGetsAHiddenLampAtNineNine) {
    const SIZE sizes[] = {{38, 38}, {36, 36}, {70, 87}, {14, 14}, {100, 30}};
    int x = 5;
    for (const SIZE& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.cx << "x" << s.cy);
        CLampKeyButton key;
        EXPECT_EQ(key.GetLamp(), 0);
        ASSERT_TRUE(key.Create(nullptr, kKeyStyle, RECT{x, 5, x + s.cx, 5 + s.cy}, &host, 1200));
        const HWND lamp = ::GetDlgItem(key, 55556);
        ASSERT_TRUE(lamp);
        EXPECT_EQ(lamp, key.Lamp().GetSafeHwnd());
        EXPECT_FALSE(::IsWindowVisible(lamp));
        const RECT rc = LampRectInKey(key, lamp);
        EXPECT_EQ(rc.left, 9);
        EXPECT_EQ(rc.top, 9);
        EXPECT_EQ(rc.right, 13);
        EXPECT_EQ(rc.bottom, 13);
        EXPECT_TRUE(key.Lamp().HasSkin());
        x += s.cx + 2;
    }
}

TEST_F(LampKeyButtonTest, SubclassedDialogItemGetsItsLampAtOnce) {
    const HWND item =
        ::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 30, 40, 38, 38, host,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1050)), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(item);
    EXPECT_EQ(::GetDlgItem(item, 55556), nullptr);
    CLampKeyButton key;
    ASSERT_TRUE(key.SubclassDlgItem(1050, &host));
    const HWND lamp = ::GetDlgItem(item, 55556);
    ASSERT_TRUE(lamp);
    EXPECT_FALSE(::IsWindowVisible(lamp));
    const RECT rc = LampRectInKey(item, lamp);
    EXPECT_EQ(rc.left, 9);
    EXPECT_EQ(rc.top, 9);
    EXPECT_EQ(rc.right - rc.left, 4);
    EXPECT_EQ(rc.bottom - rc.top, 4);
}

struct LampCase {
    BYTE value;
    bool visible;
};

TEST_F(LampKeyButtonTest, OnlyOneShowsTheLamp) {
    CLampKeyButton key;
    ASSERT_TRUE(key.Create(nullptr, kKeyStyle, RECT{10, 10, 48, 48}, &host, 1201));
    const LampCase cases[] = {{1, true}, {2, false}, {1, true}, {0, false}, {255, false}, {1, true}, {1, true}};
    for (const LampCase& c : cases) {
        key.SetLamp(c.value);
        EXPECT_EQ(key.GetLamp(), c.value);
        EXPECT_EQ(::IsWindowVisible(key.Lamp()) != FALSE, c.visible) << int(c.value);
    }
}

TEST_F(LampKeyButtonTest, LampWithoutWindowOnlyStoresTheFlag) {
    CLampKeyButton key;
    key.SetLamp(1);
    EXPECT_EQ(key.GetLamp(), 1);
}

TEST_F(LampKeyButtonTest, LitLampShowsOverTheKeyInBothStates) {
    CLampKeyButton key;
    ASSERT_TRUE(key.Create(nullptr, kKeyStyle, RECT{10, 10, 48, 48}, &host, 1202));
    ASSERT_TRUE(key.LoadBitmaps(134, 132));
    const ResourceBitmap lamp(183), normal(134), pressed(132);
    ASSERT_TRUE(lamp.Loaded());
    Repaint(host);
    EXPECT_EQ(ScreenPixelOf(host, key, 10, 10), normal.Pixel(10, 10));
    EXPECT_FALSE(key.Lamp().HasMemoryDC()) << "a dark lamp holds no DC";

    key.SetLamp(1);
    Repaint(host);
    EXPECT_TRUE(key.Lamp().HasMemoryDC());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ScreenPixelOf(host, key, 9 + i, 9 + i), lamp.Pixel(i, i)) << i;
    EXPECT_EQ(ScreenPixelOf(host, key, 14, 14), normal.Pixel(14, 14));

    // Pushing the key repaints it; its WS_CLIPCHILDREN keeps the lamp.
    key.SendMessage(BM_SETSTATE, 1);
    Pump();
    EXPECT_EQ(ScreenPixelOf(host, key, 10, 10), lamp.Pixel(1, 1));
    EXPECT_EQ(ScreenPixelOf(host, key, 20, 20), pressed.Pixel(20, 20));

    key.SetLamp(0);
    Repaint(host);
    EXPECT_EQ(ScreenPixelOf(host, key, 10, 10), pressed.Pixel(10, 10));
}

// Template buttons of the Audio window have no WS_CLIPCHILDREN of their own.
TEST_F(LampKeyButtonTest, LitLampSurvivesPushingASubclassedKey) {
    const HWND item =
        ::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 30, 40, 22, 22, host,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1064)), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(item);
    CLampKeyButton key;
    ASSERT_TRUE(key.SubclassDlgItem(1064, &host));
    ASSERT_TRUE(key.LoadBitmaps(134, 132));
    const ResourceBitmap lamp(183), pressed(132);
    key.SetLamp(1);
    Repaint(host);
    EXPECT_EQ(ScreenPixelOf(host, key, 10, 10), lamp.Pixel(1, 1));
    for (int state : {1, 0, 1}) {
        key.SendMessage(BM_SETSTATE, static_cast<WPARAM>(state));
        Pump();
        EXPECT_EQ(ScreenPixelOf(host, key, 10, 10), lamp.Pixel(1, 1)) << "state " << state;
    }
    EXPECT_EQ(ScreenPixelOf(host, key, 16, 16), pressed.Pixel(16, 16));
}

TEST_F(LampKeyButtonTest, LampWindowGoesWithTheKeyWindow) {
    auto key = std::make_unique<CLampKeyButton>();
    ASSERT_TRUE(key->Create(nullptr, kKeyStyle, RECT{10, 10, 48, 48}, &host, 1203));
    const HWND lamp = key->Lamp().GetSafeHwnd();
    key->DestroyWindow();
    EXPECT_FALSE(::IsWindow(lamp));
    EXPECT_EQ(key->Lamp().GetSafeHwnd(), nullptr);
    key.reset();
}

}  // namespace
