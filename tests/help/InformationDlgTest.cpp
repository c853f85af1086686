#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>

#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "help/CInformationDlg.h"
#include "help/HelpFile.h"
#include "res/resource.h"
#include "tests/help/HelpTestSupport.h"
#include "tests/support/WinePath.h"

namespace {

// The Information window over a folder of the test's choosing instead of the program's.
class FolderInformationDlg : public CInformationDlg {
public:
    explicit FolderInformationDlg(std::wstring folder) : m_folder(std::move(folder)) {}

private:
    std::wstring HelpDirectory() const override { return m_folder; }
    std::wstring m_folder;
};

// What the window showed while it was open.
struct Seen {
    bool shown = false;
    std::wstring title;
    std::wstring text;
    int lines = 0;
    RECT edit{};          // client pixels of the dialog
    RECT editTemplate{};  // the template's place of the edit, in the same pixels
    RECT client{};
    HWND owner = nullptr;
    HWND focus = nullptr;
    HWND okButton = nullptr;
    int widestLine = 0;    // pixels, in the box's font
    int visibleWidth = 0;  // pixels of the box inside the window, less its margin
    int visibleLines = 0;  // lines of the box inside the window
};

// As the dialog manager places a control: its position and its size are mapped
// each on its own, which can round differently from mapping both corners.
RECT DialogUnits(HWND dlg, int x, int y, int w, int h) {
    RECT r{x, y, w, h};
    ::MapDialogRect(dlg, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

Seen Look(HWND dlg) {
    Seen seen;
    seen.shown = true;
    seen.title = FullWindowText(dlg);
    const HWND edit = ::GetDlgItem(dlg, IDC_HELP_EDIT);
    seen.text = FullWindowText(edit);
    seen.lines = static_cast<int>(::SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
    ::GetWindowRect(edit, &seen.edit);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&seen.edit), 2);
    seen.editTemplate = DialogUnits(dlg, 22, 18, 197, 74);
    seen.owner = ::GetWindow(dlg, GW_OWNER);
    seen.focus = ::GetFocus();
    seen.okButton = ::GetDlgItem(dlg, IDOK);

    ::GetClientRect(dlg, &seen.client);
    const RECT& client = seen.client;
    const int margin = LOWORD(::SendMessageW(edit, EM_GETMARGINS, 0, 0));
    seen.visibleWidth = std::min(client.right, seen.edit.right) - seen.edit.left - margin;
    const HDC dc = ::GetDC(edit);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    seen.visibleLines = (std::min(client.bottom, seen.edit.bottom) - seen.edit.top) / std::max(1L, tm.tmHeight);
    for (size_t start = 0; start < seen.text.size();) {
        size_t end = seen.text.find(L"\r\n", start);
        if (end == std::wstring::npos) end = seen.text.size();
        SIZE size{};
        ::GetTextExtentPoint32W(dc, seen.text.data() + start, static_cast<int>(end - start), &size);
        seen.widestLine = std::max(seen.widestLine, static_cast<int>(size.cx));
        start = end + 2;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(edit, dc);
    return seen;
}

// Runs the window modally, closes it the given way and tells what it showed.
Seen RunModal(CInformationDlg& dlg, CloseBy how = CloseBy::OkButton, INT_PTR* result = nullptr) {
    Seen seen;
    ModalDriver driver([&dlg] { return dlg.GetSafeHwnd(); }, how, [&seen](HWND hwnd) { seen = Look(hwnd); });
    const INT_PTR r = dlg.DoModal();
    if (result) *result = r;
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd()) << "the window outlived DoModal";
    return seen;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

const RECT kMovedEdit{30, 25, 530, 325};

std::wstring SourceHelpFolder() { return WinePath(VEL_HELP_SOURCE_DIR) + L"\\"; }

TEST(InformationDlg, TemplateAsDesigned) {
    TempDir dir;
    FolderInformationDlg dlg(dir.Path());
    DWORD style = 0, editStyle = 0, editExStyle = 0, okStyle = 0;
    RECT ok{}, okTemplate{}, client{}, clientTemplate{};
    std::wstring okText, editClass, fontFace;
    ModalDriver driver([&dlg] { return dlg.GetSafeHwnd(); }, CloseBy::OkButton,
                       [&](HWND hwnd) {
                           style = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE));
                           const HWND edit = ::GetDlgItem(hwnd, IDC_HELP_EDIT);
                           const HWND button = ::GetDlgItem(hwnd, IDOK);
                           editStyle = static_cast<DWORD>(::GetWindowLongW(edit, GWL_STYLE));
                           editExStyle = static_cast<DWORD>(::GetWindowLongW(edit, GWL_EXSTYLE));
                           okStyle = static_cast<DWORD>(::GetWindowLongW(button, GWL_STYLE));
                           okText = FullWindowText(button);
                           wchar_t cls[32] = L"";
                           ::GetClassNameW(edit, cls, 32);
                           editClass = cls;
                           ::GetWindowRect(button, &ok);
                           ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&ok), 2);
                           okTemplate = DialogUnits(hwnd, 200, 0, 44, 11);
                           ::GetClientRect(hwnd, &client);
                           clientTemplate = DialogUnits(hwnd, 0, 0, 251, 103);
                           LOGFONTW font{};
                           ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font,
                                        &font);
                           fontFace = font.lfFaceName;
                       });
    EXPECT_EQ(IDOK, dlg.DoModal());
    ASSERT_TRUE(driver.Looked());

    const DWORD frame = DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | WS_POPUP;
    EXPECT_EQ(frame, style & (frame | WS_CHILD | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(L"Arial Black", fontFace);
    // Grown from the template's size until the box lies inside with its offset as margin.
    EXPECT_GE(client.right, std::max(clientTemplate.right, kMovedEdit.right + kMovedEdit.left)) << RectText(client);
    EXPECT_GE(client.bottom, std::max(clientTemplate.bottom, kMovedEdit.bottom + kMovedEdit.top)) << RectText(client);

    EXPECT_EQ(L"OK", okText);
    EXPECT_TRUE(SameRect(okTemplate, ok)) << RectText(ok);
    EXPECT_EQ(static_cast<DWORD>(WS_TABSTOP | WS_VISIBLE), okStyle & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED));

    EXPECT_EQ(L"Edit", editClass);
    const DWORD wanted = ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
    const DWORD unwanted = WS_BORDER | WS_HSCROLL | WS_DISABLED;
    EXPECT_EQ(wanted, editStyle & (wanted | unwanted));
    EXPECT_EQ(0u, editExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

class CloseTest : public testing::TestWithParam<std::pair<CloseBy, INT_PTR>> {};

TEST_P(CloseTest, EndsTheWindowWithItsResult) {
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir.Path() + L"VelJog.txt", "Jog\r\n"));
    FolderInformationDlg dlg(dir.Path());
    INT_PTR result = 0;
    const Seen seen = RunModal(dlg, GetParam().first, &result);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(GetParam().second, result);
    // The first control, OK, has the focus, so Enter and Escape both end the window.
    EXPECT_EQ(seen.okButton, seen.focus);
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseTest,
                         testing::Values(std::make_pair(CloseBy::OkButton, INT_PTR{IDOK}),
                                         std::make_pair(CloseBy::EscapeKey, INT_PTR{IDCANCEL}),
                                         std::make_pair(CloseBy::CloseBox, INT_PTR{IDCANCEL})),
                         [](const testing::TestParamInfo<std::pair<CloseBy, INT_PTR>>& info) {
                             return std::string(CloseByName(info.param.first));
                         });

TEST(InformationDlg, ShowsEachPanelsFileInTheMovedBox) {
    TempDir dir;
    const struct {
        const wchar_t* file;
        std::string bytes;
        std::wstring text;
        int lines;
    } panels[] = {
        {L"VelJog.txt", "Jog & Shuttle\r\nF1 to F6\r\n", L"Jog & Shuttle\r\nF1 to F6\r\n", 3},
        {L"VelFad.txt", "Audio\r\nfader 1\r\nfader 2\r\nmaster", L"Audio\r\nfader 1\r\nfader 2\r\nmaster", 4},
        {L"VelTrk.txt", "Trackball \xE9\x80\r\nZ-ring", L"Trackball \u00E9\u20AC\r\nZ-ring", 2},
        {L"VelKnb.txt", NumberedLines(3000), Widened(NumberedLines(3000)), 0},
    };
    for (const auto& p : panels) ASSERT_TRUE(WriteBytes(dir.Path() + p.file, p.bytes));
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        FolderInformationDlg dlg(dir.Path());
        dlg.SetHelpIndex(index);
        const Seen seen = RunModal(dlg);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(L"Information", seen.title);
        EXPECT_TRUE(panels[index].text == seen.text) << "text of another file, or cut";
        if (panels[index].lines) {
            EXPECT_EQ(panels[index].lines, seen.lines);
        }
        EXPECT_TRUE(SameRect(kMovedEdit, seen.edit)) << RectText(seen.edit);
    }
}

TEST(InformationDlg, SaysWhereItLookedWhenThereIsNoTextToShow) {
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir.Path() + L"VelFad.txt", ""));
    ASSERT_TRUE(WriteBytes(dir.Path() + L"VelTrk.txt", "\0hidden"));
    ASSERT_TRUE(MakeDirectories(dir.Path() + L"VelKnb.txt"));
    const struct {
        const char* what;
        int index;
        std::wstring text;
    } cases[] = {{"missing file", 0, L"The help file VelJog.txt was not found in " + dir.Path() + L"."},
                 {"empty file", 1, L"The help file VelFad.txt in " + dir.Path() + L" is empty."},
                 {"zero byte first", 2, L"The help file VelTrk.txt in " + dir.Path() + L" is empty."},
                 {"a folder of that name", 3, L"The help file VelKnb.txt in " + dir.Path() + L" could not be read."},
                 {"index below the panels", -1, L""},
                 {"index above the panels", 4, L""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FolderInformationDlg dlg(dir.Path());
        dlg.SetHelpIndex(c.index);
        const Seen seen = RunModal(dlg);
        ASSERT_TRUE(seen.shown);
        EXPECT_TRUE(c.text == seen.text) << "unexpected text";
        EXPECT_TRUE(SameRect(kMovedEdit, seen.edit)) << RectText(seen.edit);
    }
}

// Most of a help text lies below the box's edge: the wheel and the keys the help
// text names must bring the rest into view, as its scroll bar does.
TEST(InformationDlg, ScrollsToTheRestOfALongText) {
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir.Path() + L"VelJog.txt", NumberedLines(4000)));
    FolderInformationDlg dlg(dir.Path());
    int afterWheel = 0, afterPageDown = 0, afterDown = 0;
    ModalDriver driver([&dlg] { return dlg.GetSafeHwnd(); }, CloseBy::OkButton,
                       [&](HWND hwnd) {
                           const HWND edit = ::GetDlgItem(hwnd, IDC_HELP_EDIT);
                           const auto top = [edit] {
                               return static_cast<int>(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
                           };
                           ::SendMessageW(edit, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
                           afterWheel = top();
                           ::SendMessageW(edit, EM_LINESCROLL, 0, -afterWheel);
                           ::SetFocus(edit);
                           ::SendMessageW(edit, WM_KEYDOWN, VK_NEXT, 0x01510001);
                           afterPageDown = top();
                           ::SendMessageW(edit, EM_LINESCROLL, 0, -afterPageDown);
                           ::SendMessageW(edit, EM_SETSEL, 0, 0);
                           for (int i = 0; i < 40; ++i) ::SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0x01500001);
                           afterDown = top();
                           ::SetFocus(::GetDlgItem(hwnd, IDOK));
                       });
    EXPECT_EQ(IDOK, dlg.DoModal());
    ASSERT_TRUE(driver.Looked());
    EXPECT_GT(afterWheel, 0);
    EXPECT_GT(afterPageDown, 0);
    EXPECT_GT(afterDown, 0);
}

// A panel window's "?" runs the window with no parent: it must go over that panel
// window, and neither the panel window nor the main window may take input meanwhile.
TEST(InformationDlg, OwnedByTheWindowTheUserWorksInWhichWaitsForIt) {
    CWinApp app;
    CWnd main, panel;
    const RECT place{10, 10, 300, 200};
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_POPUP | WS_CAPTION | WS_VISIBLE, place, nullptr, 0));
    ASSERT_TRUE(panel.CreateEx(0, nullptr, L"panel", WS_POPUP | WS_CAPTION | WS_VISIBLE, place, &main, 0));
    app.m_pMainWnd = &main;
    const struct {
        const char* active;
        HWND activate;
        HWND owner;
    } cases[] = {{"panel window", panel, panel}, {"main window", main, main}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.active);
        ::SetActiveWindow(c.activate);
        ASSERT_EQ(c.activate, ::GetActiveWindow());
        TempDir dir;
        FolderInformationDlg dlg(dir.Path());
        bool mainEnabled = true, panelEnabled = true;
        HWND owner = nullptr;
        ModalDriver driver([&dlg] { return dlg.GetSafeHwnd(); }, CloseBy::OkButton,
                           [&](HWND hwnd) {
                               owner = ::GetWindow(hwnd, GW_OWNER);
                               mainEnabled = ::IsWindowEnabled(main) != FALSE;
                               panelEnabled = ::IsWindowEnabled(panel) != FALSE;
                           });
        EXPECT_EQ(IDOK, dlg.DoModal());
        ASSERT_TRUE(driver.Looked());
        EXPECT_EQ(c.owner, owner);
        EXPECT_FALSE(mainEnabled);
        EXPECT_EQ(c.owner != panel, panelEnabled) << "the panel window is disabled only when it owns the window";
        EXPECT_TRUE(::IsWindowEnabled(main));
        EXPECT_TRUE(::IsWindowEnabled(panel));
    }
    app.m_pMainWnd = nullptr;
}

// The help files that ship with the program, each in the window: plain text in
// lines that an edit control shows as lines and that fit the box unwrapped.
TEST(InformationDlg, ShippedHelpFilesShowLineByLine) {
    for (int index = 0; index < 4; ++index) {
        const std::wstring path = HelpFilePath(SourceHelpFolder(), index);
        SCOPED_TRACE(testing::Message() << "help file " << index);
        std::string bytes;
        ASSERT_TRUE(ReadBytes(path, bytes));
        ASSERT_GT(bytes.size(), 1000u);
        ASSERT_EQ("\r\n", bytes.substr(bytes.size() - 2)) << "the last line has no line end";
        int lines = 0;
        size_t longest = 0;
        for (size_t start = 0; start < bytes.size(); ++lines) {
            const size_t end = bytes.find("\r\n", start);
            ASSERT_NE(std::string::npos, end);
            const std::string line = bytes.substr(start, end - start);
            longest = std::max(longest, line.size());
            for (unsigned char ch : line) ASSERT_TRUE(ch >= 0x20 && ch < 0x7F) << "line " << lines + 1 << ": " << line;
            start = end + 2;
        }
        EXPECT_LE(longest, 60u);

        FolderInformationDlg dlg(SourceHelpFolder());
        dlg.SetHelpIndex(index);
        const Seen seen = RunModal(dlg);
        EXPECT_TRUE(Widened(bytes) == seen.text);
        // The edit control counts the empty line after the last line end too.
        EXPECT_EQ(lines + 1, seen.lines);
        // The whole box, its scroll bar with it, is inside the window, so that the last line can be reached.
        EXPECT_LE(seen.edit.right, seen.client.right);
        EXPECT_LE(seen.edit.bottom, seen.client.bottom);
        // Unwrapped lines must not run past the window's edge, with the font the box really got.
        EXPECT_LE(seen.widestLine, seen.visibleWidth);
        std::cout << "help file " << index << ": widest line " << seen.widestLine << " of " << seen.visibleWidth
                  << " pixels, " << seen.visibleLines << " of " << lines << " lines in view\n";
    }
}

// Run by ProgramBesideTheHelpFile in a copy of this program; not on its own.
TEST(InformationChild, DISABLED_ShowsTheHelpFileBesideTheProgram) {
    const wchar_t* result = _wgetenv(L"VEL_HELP_RESULT");
    const wchar_t* program = _wgetenv(L"VEL_HELP_PROGRAM");
    if (!result || !program) GTEST_SKIP() << "runs only as a child of ProgramBesideTheHelpFile";
    EXPECT_EQ(program, ProgramPath());
    CInformationDlg dlg;
    dlg.SetHelpIndex(2);
    const std::wstring text = RunModal(dlg).text;
    ASSERT_TRUE(WriteBytes(result, std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2)));
}

// The window reads the file beside the program whatever the current folder holds.
// (Neither Windows nor Wine starts a program from a path longer than MAX_PATH, so
// the long program paths are left to the ProgramPath tests.)
TEST(ProgramBesideTheHelpFile, ReadsItWhateverTheCurrentFolder) {
    TempDir dir;
    const std::wstring programDir = dir.Path() + L"Tools\\";
    const std::wstring program = programDir + L"help_tests.exe";
    const std::wstring elsewhere = dir.Path() + L"elsewhere\\";
    ASSERT_TRUE(MakeDirectories(programDir));
    ASSERT_TRUE(MakeDirectories(elsewhere));
    ASSERT_TRUE(::CopyFileW(LongForm(OwnPath()).c_str(), LongForm(program).c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(programDir + L"VelTrk.txt", "beside the program \xE9\r\n"));
    ASSERT_TRUE(WriteBytes(elsewhere + L"VelTrk.txt", "in the current folder\r\n"));
    const std::wstring result = dir.Path() + L"result.bin";

    ::SetEnvironmentVariableW(L"VEL_HELP_RESULT", result.c_str());
    ::SetEnvironmentVariableW(L"VEL_HELP_PROGRAM", program.c_str());
    std::wstring command = L"\"" + program +
                           L"\" --gtest_also_run_disabled_tests"
                           L" --gtest_filter=InformationChild.DISABLED_ShowsTheHelpFileBesideTheProgram";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = ::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                          elsewhere.c_str(), &si, &pi);
    ::SetEnvironmentVariableW(L"VEL_HELP_RESULT", nullptr);
    ::SetEnvironmentVariableW(L"VEL_HELP_PROGRAM", nullptr);
    ASSERT_TRUE(started) << "error " << ::GetLastError();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000));
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, code);
    std::string bytes;
    ASSERT_TRUE(ReadBytes(result, bytes));
    EXPECT_TRUE(std::wstring(L"beside the program \u00E9\r\n") ==
                std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
}

}  // namespace
