// TqDvManager.dll, the recorder: the one export of the maker's library, made
// by the real library renamed TqDvManager.real.dll, with every object it hands
// out wrapped so that each call, answer and callback is written to a recording.
#include <windows.h>

#include <memory>
#include <mutex>

#include "recorder/ManagerProxy.h"
#include "recorder/RealLibrary.h"
#include "recorder/RecorderSession.h"
#include "recorder/RecordingFile.h"

namespace {
std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(std::size_t(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), int(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, path, DWORD(sizeof path / sizeof path[0]));
    return n > 0 && n < sizeof path / sizeof path[0] ? std::wstring(path, n) : std::wstring();
}

// Made on the first CreateDeviceManager, not at load time, and never destroyed:
// the library's thread may still call a sink while the process ends.
RecorderSession& Session() {
    static std::once_flag once;
    static RecorderSession* session = nullptr;
    std::call_once(once, [] {
        auto* file = new RecordingFile;
        const bool open = file->Open();
        SYSTEMTIME t;
        GetLocalTime(&t);
        char started[64];
        std::snprintf(started, sizeof started, "%04u-%02u-%02u %02u:%02u:%02u.%03u local time", unsigned(t.wYear),
                      unsigned(t.wMonth), unsigned(t.wDay), unsigned(t.wHour), unsigned(t.wMinute), unsigned(t.wSecond),
                      unsigned(t.wMilliseconds));
        const std::vector<std::string> header = {
            "recorded by the TqDvManager recorder, " + std::to_string(sizeof(void*) * 8) + "-bit",
            std::string("started ") + started,
            "program " + Utf8(ProgramPath()) + ", process " + std::to_string(GetCurrentProcessId()),
            "real library " + Utf8(RealLibrary::Path()),
            "capped at " + std::to_string(RecordingWriter::kDefaultCap) + " bytes",
        };
        session =
            new RecorderSession([file, open](const std::string& line) { return open && file->Write(line); }, header);
    });
    return *session;
}
}  // namespace

extern "C" __declspec(dllexport) ITqDeviceManager* CreateDeviceManager() {
    RecorderSession& session = Session();
    session.Event("call - CreateDeviceManager");
    std::string reason;
    const PFN_CreateDeviceManager create = RealLibrary::Export(reason);
    if (!create) session.Event("note " + reason);
    std::string name;
    ITqDeviceManager* manager = ManagerProxy::Wrap(session, create ? create() : nullptr, name);
    session.Event("ret - CreateDeviceManager " + name);
    return manager;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    DisableThreadLibraryCalls(instance);
    // Without the real library there is nothing to record: refusing to load makes
    // the program say what it says for a missing library, naming this file's
    // path. Only the file's presence is asked here; loading another library
    // under the loader lock is what DllMain must not do.
    if (!RealLibrary::Present()) {
        OutputDebugStringW((L"TqDvManager recorder: " + RealLibrary::Path() + L" is missing\n").c_str());
        return FALSE;
    }
    return TRUE;
}
