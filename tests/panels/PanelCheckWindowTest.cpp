// The Panel Check window of a panel window: opened from the panel window's
// system menu, fed by the reports the panel window handles, read back from its
// list as the engineer sees it, and gone with the panel window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "panels/CMediaBarPanelDlg.h"
#include "res/resource.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

namespace {
class PanelCheckWindowTest : public PanelWindowTest<CMediaBarPanelDlg, kPanelMediaBar> {
protected:
    HWND List() const { return ::GetDlgItem(check, IDC_CHECK_LIST); }
    std::wstring Cell(int row, int column) const {
        wchar_t text[256] = L"";
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 256;
        ::SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int RowOf(const std::wstring& name) const {
        const auto rows = static_cast<int>(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < rows; ++r)
            if (Cell(r, 0) == name) return r;
        return -1;
    }
    std::wstring StateOf(const std::wstring& name) const { return Cell(RowOf(name), 1); }

    HWND check = nullptr;
};

TEST_F(PanelCheckWindowTest, ReportsThroughThePanelWindowFillTheListAndTheVerdict) {
    OpenWindow();
    ::SendMessageW(Hwnd(), WM_SYSCOMMAND, IDM_PANEL_CHECK, 0);
    ASSERT_NE(wnd->PanelCheckWindow(), nullptr);
    check = wnd->PanelCheckWindow()->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(check));
    EXPECT_EQ(::GetWindow(check, GW_OWNER), Hwnd());
    // A second choice brings the same window back, also after it was closed.
    ::SendMessageW(check, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindowVisible(check));
    ::SendMessageW(Hwnd(), WM_SYSCOMMAND, IDM_PANEL_CHECK, 0);
    EXPECT_EQ(wnd->PanelCheckWindow()->GetSafeHwnd(), check);
    EXPECT_TRUE(::IsWindowVisible(check));

    ASSERT_EQ(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 10);  // A, B and eight knobs
    EXPECT_EQ(DlgItemText(check, IDC_CHECK_COUNT), L"0 of 10 checked");

    Report({{0, 0x01}}, {{0, 0x01}});  // A down
    EXPECT_EQ(StateOf(L"A"), L"partly");
    Report({{0, 0x01}}, {{0, 0x00}});  // A up
    Report({{1, 1}}, {{1, 12}, {2, 0}});     // knob 1: +12
    Report({{1, 1}}, {{1, 244}, {2, 255}});  // knob 1: -12
    Report({{2, 1}}, {{3, 4}, {4, 0}});      // knob 2: +4
    EXPECT_EQ(StateOf(L"A"), L"checked");
    EXPECT_EQ(Cell(RowOf(L"A"), 2), L"1 press, 1 release");
    EXPECT_EQ(StateOf(L"B"), L"untested");
    EXPECT_EQ(StateOf(L"Knob 1"), L"checked");
    EXPECT_EQ(StateOf(L"Knob 2"), L"partly");
    EXPECT_EQ(Cell(RowOf(L"Knob 2"), 2), L"+4 / -0 steps");
    EXPECT_EQ(DlgItemText(check, IDC_CHECK_COUNT), L"2 of 10 checked");
    EXPECT_EQ(DlgItemText(check, IDC_CHECK_VERDICT), L"Verdict: FAIL");

    // Key B never shows: the engineer says so.
    ListView_SetItemState(List(), RowOf(L"B"), LVIS_SELECTED, LVIS_SELECTED);
    ::SetDlgItemTextW(check, IDC_CHECK_NOTE, L"no press shows");
    ClickButton(check, IDC_CHECK_FAIL);
    EXPECT_EQ(StateOf(L"B"), L"failed");
    EXPECT_EQ(Cell(RowOf(L"B"), 3), L"no press shows");

    wnd->DestroyWindow();
    EXPECT_FALSE(::IsWindow(check));
}
}  // namespace
