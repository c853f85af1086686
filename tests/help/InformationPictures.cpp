// Pictures of the four Information windows over the shipped help files, for a person
// to look at: run by hand on a real display with VEL_HELP_PICTURES naming a folder,
//   help_tests.exe --gtest_also_run_disabled_tests --gtest_filter=InformationPictures.*
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "help/CInformationDlg.h"
#include "tests/help/HelpTestSupport.h"
#include "tests/support/WinePath.h"

namespace {

class ShippedInformationDlg : public CInformationDlg {
    std::wstring HelpDirectory() const override { return WinePath(VEL_HELP_SOURCE_DIR) + L"\\"; }
};

// The window as the screen shows it, as a 24-bit bitmap file.
bool SaveWindowPicture(HWND hwnd, const std::wstring& path) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC mem = ::CreateCompatibleDC(screen);
    const HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    const DWORD rowBytes = static_cast<DWORD>((w * 3 + 3) & ~3);
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + imageBytes;
    std::string file(reinterpret_cast<const char*>(&fh), sizeof fh);
    file.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(BITMAPINFOHEADER));
    file.append(static_cast<const char*>(bits), imageBytes);
    ::DeleteObject(bmp);
    return WriteBytes(path, file);
}

TEST(InformationPictures, DISABLED_OnePerPanel) {
    const wchar_t* folder = _wgetenv(L"VEL_HELP_PICTURES");
    if (!folder) GTEST_SKIP() << "set VEL_HELP_PICTURES to the folder for the pictures";
    const wchar_t* names[] = {L"VelJog", L"VelFad", L"VelTrk", L"VelKnb"};
    for (int index = 0; index < 4; ++index) {
        ShippedInformationDlg dlg;
        dlg.SetHelpIndex(index);
        ModalDriver driver(
            [&dlg] { return dlg.GetSafeHwnd(); }, CloseBy::OkButton,
            [&](HWND hwnd) {
                EXPECT_TRUE(SaveWindowPicture(hwnd, std::wstring(folder) + L"\\" + names[index] + L".bmp"));
            });
        driver.SetSettleTime(700);
        dlg.DoModal();
        EXPECT_TRUE(driver.Looked());
    }
}

}  // namespace
