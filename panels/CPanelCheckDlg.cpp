#include "panels/CPanelCheckDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "framework/CWinApp.h"
#include "panels/ServiceReportFiles.h"
#include "panels/Utf8.h"
#include "res/TimerIds.h"
#include "res/resource.h"

namespace {
enum Column { kName, kState, kCounts, kNote };
struct ColumnLayout {
    const wchar_t* title;
    int width;
};
// Together within the list, so that no column hides behind a scroll bar.
constexpr ColumnLayout kColumns[] = {{L"Control", 95}, {L"State", 60}, {L"Counts", 235}, {L"Note", 90}};

// The question is shown again on every motor step; an unchanged text is left
// alone rather than repainted.
void SetWindowTextIfChanged(HWND hwnd, const wchar_t* text) {
    wchar_t current[256] = L"";
    ::GetWindowTextW(hwnd, current, static_cast<int>(std::size(current)));
    if (std::wcscmp(current, text) != 0) ::SetWindowTextW(hwnd, text);
}
}  // namespace

CPanelCheckDlg::CPanelCheckDlg(CheckSession& session, int panel, CWnd* owner, ICheckTarget& target)
    : CDialog(IDD_PANEL_CHECK, owner),
      m_session(session),
      m_panel(panel),
      m_owner(owner),
      m_target(target),
      m_auto(session.CheckOf(panel), target) {}

bool CPanelCheckDlg::Show() {
    if (!GetSafeHwnd()) {
        // The list view is the one common control the program did not need before.
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        if (!Create(IDD_PANEL_CHECK, m_owner)) return false;
    }
    ShowWindow(SW_SHOWNORMAL);
    Refresh();
    ::SetForegroundWindow(m_hWnd);
    ::BringWindowToTop(m_hWnd);
    return true;
}

BOOL CPanelCheckDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText((L"Panel Check - " + Utf8ToWide(PanelTypeName(m_panel))).c_str());
    AddColumns();  // the rows come with the first Refresh, once shown
    PlaceCheckButtons();
    SetTimer(kPanelCheckTickTimerId, kTickMs);
    return TRUE;
}

void CPanelCheckDlg::PlaceCheckButtons() {
    // A panel without motors or lamps has no such button at all, and the
    // buttons it has close up from the left.
    const struct {
        int id;
        AutoCheck kind;
    } buttons[] = {{IDC_CHECK_MOTORS, AutoCheck::Motors},
                   {IDC_CHECK_LAMPS, AutoCheck::Lamps},
                   {IDC_CHECK_HANDS_OFF, AutoCheck::HandsOff}};
    RECT slots[std::size(buttons)];
    for (size_t i = 0; i < std::size(buttons); ++i) {
        ::GetWindowRect(GetDlgItemHwnd(buttons[i].id), &slots[i]);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&slots[i]), 2);
    }
    size_t slot = 0;
    for (const auto& button : buttons) {
        const HWND hwnd = GetDlgItemHwnd(button.id);
        if (!m_auto.Offers(button.kind)) {
            ::ShowWindow(hwnd, SW_HIDE);
            continue;
        }
        const RECT& r = slots[slot++];
        ::MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    }
}

void CPanelCheckDlg::AddColumns() {
    const HWND list = GetDlgItemHwnd(IDC_CHECK_LIST);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(kColumns[c].title);
        column.cx = kColumns[c].width;
        column.iSubItem = c;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
}

void CPanelCheckDlg::SetCell(int row, int column, const std::wstring& text) {
    const HWND list = GetDlgItemHwnd(IDC_CHECK_LIST);
    // Unchanged cells are left alone: the list refreshes after every batch of
    // reports and would flicker otherwise.
    wchar_t current[256] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = current;
    item.cchTextMax = static_cast<int>(std::size(current));
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (text == current) return;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void CPanelCheckDlg::Refresh() {
    // Hidden, it is brought up to date when shown again rather than after every
    // batch of reports.
    if (!GetSafeHwnd() || !::IsWindowVisible(m_hWnd)) return;
    const PanelCheck& check = Check();
    const std::wstring count =
        std::to_wstring(check.CheckedCount()) + L" of " + std::to_wstring(check.RowCount()) + L" checked";
    SetDlgItemText(IDC_CHECK_COUNT, count.c_str());
    SetDlgItemText(IDC_CHECK_VERDICT, check.Passed() ? L"Verdict: PASS" : L"Verdict: FAIL");

    const HWND list = GetDlgItemHwnd(IDC_CHECK_LIST);
    const int rows = check.RowCount();
    for (int row = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); row < rows; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    int row = 0;
    for (const ControlResult& r : check.Controls()) {
        SetCell(row, kName, Utf8ToWide(r.control.name));
        SetCell(row, kState, Utf8ToWide(CheckStateName(r.State())));
        SetCell(row, kCounts, Utf8ToWide(CountsText(r)));
        SetCell(row, kNote, Utf8ToWide(r.note));
        ++row;
    }
    for (const AutomaticResult& r : check.Results()) {
        SetCell(row, kName, Utf8ToWide(r.name));
        SetCell(row, kState, Utf8ToWide(CheckStateName(r.state)));
        SetCell(row, kCounts, Utf8ToWide(r.detail));
        ++row;
    }
}

void CPanelCheckDlg::MarkSelectedFailed() {
    const HWND list = GetDlgItemHwnd(IDC_CHECK_LIST);
    const auto row = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0 || row >= static_cast<int>(Check().Controls().size())) return;
    wchar_t note[512] = L"";
    ::GetDlgItemTextW(m_hWnd, IDC_CHECK_NOTE, note, static_cast<int>(std::size(note)));
    Check().MarkFailed(row, WideToUtf8(note));
    SetDlgItemText(IDC_CHECK_NOTE, L"");
    Refresh();
}

void CPanelCheckDlg::StartCheck(AutoCheck kind) {
    const auto now = static_cast<std::int64_t>(::GetTickCount64());
    m_refusal = m_auto.Start(kind, now);
    if (m_refusal.empty() && kind != AutoCheck::Lamps && !SetTimer(kAutomaticCheckTimerId, kHandsOffTickMs)) {
        // Without its timer a step would never end: better not to start.
        m_auto.Stop(now);
        m_refusal = "The check could not start: no timer is left.";
    }
    ShowAutomatic();
    // The question wants its answer keys; the list would take them for itself.
    if (kind == AutoCheck::Lamps && m_refusal.empty()) ::SetFocus(GetDlgItemHwnd(IDC_CHECK_LIT));
}

void CPanelCheckDlg::Answer(bool asShown) {
    if (!m_auto.AwaitsAnswer()) return;
    m_auto.Answer(asShown);
    ShowAutomatic();
}

void CPanelCheckDlg::StopChecks() {
    if (m_auto.Running() == AutoCheck::None) return;
    m_auto.Stop(static_cast<std::int64_t>(::GetTickCount64()));
    if (GetSafeHwnd()) ShowAutomatic();
}

void CPanelCheckDlg::FaderReport(std::uint64_t ms, const MotorCheck::Positions& positions) {
    if (m_auto.Running() != AutoCheck::Motors) return;
    m_auto.FaderReport(static_cast<std::int64_t>(ms), positions);
    if (!GetSafeHwnd()) return;
    // A moving fader reports every few milliseconds: only what a report can
    // change is shown again, the buttons only when the check has ended.
    if (m_auto.Running() == AutoCheck::Motors) {
        ArmAutomaticTimer();
        ShowProgress();
    } else {
        ShowAutomatic();
    }
}

void CPanelCheckDlg::ArmAutomaticTimer() {
    switch (m_auto.Running()) {
    case AutoCheck::Motors: {
        // Set anew after every report and tick: it fires when the step's hold
        // or time is up, not a timer period later. Each report of a moving
        // fader puts it off again.
        const std::int64_t wait = m_auto.Deadline() - static_cast<std::int64_t>(::GetTickCount64());
        SetTimer(kAutomaticCheckTimerId, static_cast<UINT>(std::clamp<std::int64_t>(wait, 1, kHandsOffTickMs)));
        break;
    }
    case AutoCheck::HandsOff:
        break;  // its countdown timer runs from the start
    case AutoCheck::Lamps:
    case AutoCheck::None:
        KillTimer(kAutomaticCheckTimerId);
        break;
    }
}

void CPanelCheckDlg::ShowAutomatic() {
    if (!GetSafeHwnd()) return;
    ArmAutomaticTimer();
    const bool idle = m_auto.Running() == AutoCheck::None;
    for (int id : {IDC_CHECK_MOTORS, IDC_CHECK_LAMPS, IDC_CHECK_HANDS_OFF})
        ::EnableWindow(GetDlgItemHwnd(id), idle ? TRUE : FALSE);
    ::EnableWindow(GetDlgItemHwnd(IDC_CHECK_STOP), idle ? FALSE : TRUE);
    const BOOL asks = m_auto.AwaitsAnswer() ? TRUE : FALSE;
    ::EnableWindow(GetDlgItemHwnd(IDC_CHECK_LIT), asks);
    ::EnableWindow(GetDlgItemHwnd(IDC_CHECK_NOT_LIT), asks);
    // One lamp is lit or not; a pattern is as the picture shows, or not.
    const bool single = !asks || m_auto.AsksSingleLamp();
    SetWindowTextIfChanged(GetDlgItemHwnd(IDC_CHECK_LIT), single ? L"Lit (Y)" : L"Yes (Y)");
    SetWindowTextIfChanged(GetDlgItemHwnd(IDC_CHECK_NOT_LIT), single ? L"Not lit (N)" : L"No (N)");
    ShowProgress();
}

void CPanelCheckDlg::ShowProgress() {
    const std::string prompt = m_refusal.empty() ? m_auto.Prompt(static_cast<std::int64_t>(::GetTickCount64()))
                                                 : m_refusal;
    SetWindowTextIfChanged(GetDlgItemHwnd(IDC_CHECK_PROMPT), Utf8ToWide(prompt).c_str());
    if (m_auto.Changes() == m_shownChanges) return;
    m_shownChanges = m_auto.Changes();
    Refresh();
    // The row the check is on stays in sight.
    if (const int row = m_auto.CurrentRow(); row >= 0)
        ::SendMessageW(GetDlgItemHwnd(IDC_CHECK_LIST), LVM_ENSUREVISIBLE,
                       static_cast<WPARAM>(Check().Controls().size()) + static_cast<WPARAM>(row), FALSE);
}

bool CPanelCheckDlg::OnKeyMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !m_auto.AwaitsAnswer() || msg.hwnd == GetDlgItemHwnd(IDC_CHECK_NOTE)) return false;
    if (msg.wParam != 'Y' && msg.wParam != 'N') return false;
    Answer(msg.wParam == 'Y');
    return true;
}

BOOL CPanelCheckDlg::OnButtonClicked(int id) {
    switch (id) {
    case IDC_CHECK_MOTORS:
        StartCheck(AutoCheck::Motors);
        return TRUE;
    case IDC_CHECK_LAMPS:
        StartCheck(AutoCheck::Lamps);
        return TRUE;
    case IDC_CHECK_HANDS_OFF:
        StartCheck(AutoCheck::HandsOff);
        return TRUE;
    case IDC_CHECK_STOP:
        StopChecks();
        return TRUE;
    case IDC_CHECK_LIT:
    case IDC_CHECK_NOT_LIT:
        Answer(id == IDC_CHECK_LIT);
        return TRUE;
    case IDC_CHECK_FAIL:
        MarkSelectedFailed();
        return TRUE;
    case IDC_CHECK_SAVE:
        SaveServiceReport(this, m_session, {m_panel});
        return TRUE;
    default:
        return CDialog::OnButtonClicked(id);
    }
}

void CPanelCheckDlg::OnCancel() {
    StopChecks();
    ShowWindow(SW_HIDE);
}

BOOL CPanelCheckDlg::OnTimer(UINT_PTR id) {
    if (id == kAutomaticCheckTimerId) {
        if (m_auto.Running() == AutoCheck::Motors) m_target.TakeWaitingReports();
        m_auto.Tick(static_cast<std::int64_t>(::GetTickCount64()));
        ShowAutomatic();
        return TRUE;
    }
    if (id != kPanelCheckTickTimerId) return CDialog::OnTimer(id);
    Check().Tick(::GetTickCount64());
    Refresh();
    return TRUE;
}
