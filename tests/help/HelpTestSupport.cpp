#include "tests/help/HelpTestSupport.h"

#include <optional>
#include <vector>

#include "tests/support/TestFiles.h"

namespace {
ModalDriver* g_driver = nullptr;

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}
}  // namespace

TempDir::TempDir() {
    wchar_t base[MAX_PATH + 1] = L"";
    ::GetTempPathW(MAX_PATH + 1, base);
    static int serial = 0;
    for (;;) {
        m_path = std::wstring(base) + L"velhelp-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++serial);
        if (::CreateDirectoryW(m_path.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    m_path += L'\\';
}

TempDir::~TempDir() { RemoveTree(m_path); }

std::wstring LongForm(const std::wstring& path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0 || path.size() < 3 || path[1] != L':') return path;
    return L"\\\\?\\" + path;
}

bool MakeDirectories(const std::wstring& path) {
    const std::wstring full = WithoutTrailingSlash(path);
    for (size_t at = full.find(L'\\', 3);; at = full.find(L'\\', at + 1)) {
        const std::wstring part = full.substr(0, at);
        if (!::CreateDirectoryW(LongForm(part).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (at == std::wstring::npos) return true;
    }
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        ::CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}

bool ReadBytes(const std::wstring& path, std::string& bytes) {
    const std::optional<std::string> read = ReadWholeFile(LongForm(path));
    bytes = read.value_or(std::string());
    return read.has_value();
}

void RemoveTree(const std::wstring& path) {
    const std::wstring dir = WithoutTrailingSlash(path);
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW(LongForm(dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(LongForm(child).c_str());
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(LongForm(dir).c_str());
}

std::wstring OwnPath() {
    std::vector<wchar_t> buf(32768);
    const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    return std::wstring(buf.data(), n);
}

std::wstring FullWindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string NumberedLines(size_t bytes) {
    std::string out;
    for (int line = 0; out.size() < bytes; ++line) out += "line " + std::to_string(line) + " of a help text\r\n";
    out.resize(bytes);
    return out;
}

std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

const char* CloseByName(CloseBy how) {
    switch (how) {
    case CloseBy::OkButton:
        return "OkButton";
    case CloseBy::EscapeKey:
        return "EscapeKey";
    case CloseBy::CloseBox:
        return "CloseBox";
    }
    return "?";
}

ModalDriver::ModalDriver(std::function<HWND()> dialog, CloseBy how, std::function<void(HWND)> look)
    : m_dialog(std::move(dialog)), m_how(how), m_look(std::move(look)) {
    g_driver = this;
    m_timer = ::SetTimer(nullptr, 0, 10, &ModalDriver::Tick);
}

ModalDriver::~ModalDriver() {
    if (m_timer) ::KillTimer(nullptr, m_timer);
    g_driver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (g_driver) g_driver->OnTick();
}

void ModalDriver::OnTick() {
    const HWND dlg = m_dialog();
    if (++m_ticks > 500) {
        // Still there long after it should have gone: end it the hard way.
        if (dlg && ::IsWindow(dlg)) ::DestroyWindow(dlg);
        return;
    }
    if (m_looked || !dlg || !::IsWindowVisible(dlg)) return;
    if (!m_shownAt) m_shownAt = ::GetTickCount();
    if (::GetTickCount() - m_shownAt < m_settleMs) return;
    m_looked = true;
    if (m_look) m_look(dlg);
    switch (m_how) {
    case CloseBy::OkButton:
        ::PostMessageW(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
        break;
    case CloseBy::EscapeKey: {
        // The key goes where the user's would: to the window with the focus.
        const HWND focus = ::GetFocus() ? ::GetFocus() : dlg;
        ::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageW(focus, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
        break;
    }
    case CloseBy::CloseBox:
        ::PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}
