#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "device/CDeviceLibrary.h"
#include "framework/CWinApp.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWindows.h"
#include "tests/support/WinePath.h"

namespace {

std::wstring TempFolder() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    std::wstring dir = std::wstring(base) + L"velpanel-planted-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

// The test program's folder holds no TqDvManager.dll. A library of that name in the
// current directory and in the DLL search path must still not be taken. Telling the
// user is the application's business: the loader only says what went wrong.
TEST(DeviceLibrary, LoadsOnlyFromTheProgramsFolderAndDescribesTheFailure) {
    ASSERT_EQ(nullptr, CDeviceLibrary::SetFactoryForTesting(nullptr));
    const std::wstring dir = TempFolder();
#ifdef VEL_SIM_DLL
    const std::wstring planted = dir + L"\\TqDvManager.dll";
    ASSERT_TRUE(::CopyFileW(WinePath(VEL_SIM_DLL).c_str(), planted.c_str(), FALSE));
#endif
    wchar_t previous[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(dir.c_str());
    ::SetDllDirectoryW(dir.c_str());

    MessageBoxRecorder boxes;
    EXPECT_TRUE(CDeviceLibrary::LoadError().empty());
    EXPECT_EQ(nullptr, CDeviceLibrary::CreateDeviceManager());
    EXPECT_EQ(nullptr, CDeviceLibrary::CreateDeviceManager());
    EXPECT_TRUE(CDeviceLibrary::Unavailable());
    EXPECT_EQ(nullptr, ::GetModuleHandleW(L"TqDvManager.dll"));

    const std::wstring text = CDeviceLibrary::LoadError();
    EXPECT_NE(std::wstring::npos, text.find(L"TqDvManager.dll"));
    EXPECT_NE(std::wstring::npos, text.find(AfxGetModuleDirectory()));
    EXPECT_TRUE(boxes.boxes.empty());

    ::SetDllDirectoryW(nullptr);
    ::SetCurrentDirectoryW(previous);
#ifdef VEL_SIM_DLL
    ::DeleteFileW(planted.c_str());
#endif
    ::RemoveDirectoryW(dir.c_str());
}

#ifdef VEL_SIM_DLL
// A copy of the stand-in whose mark differs in its last letter: a library with a
// version resource, only not ours.
bool WriteStandInWithAnotherMark(const std::wstring& to) {
    std::string bytes = ReadWholeFile(WinePath(VEL_SIM_DLL)).value_or(std::string());
    const std::u16string mark = u"VelPanel simulated panels";
    const size_t at = bytes.find(std::string(reinterpret_cast<const char*>(mark.data()), mark.size() * 2));
    if (at == std::string::npos) return false;
    bytes[at + (mark.size() - 1) * 2] = 'z';
    std::ofstream file(to.c_str(), std::ios::binary);
    return static_cast<bool>(file << bytes);
}

// The title's "simulated panels" rests on this: only the stand-in's own mark counts,
// whether the file is looked at or loaded.
TEST(DeviceLibrary, RecognisesTheStandInByItsMarkAlone) {
    const std::wstring dir = TempFolder();
    const std::wstring otherMark = dir + L"\\other-mark.dll";
    ASSERT_TRUE(WriteStandInWithAnotherMark(otherMark));
    wchar_t self[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    struct Case {
        const char* what;
        std::wstring path;
        bool standIn;
    };
    const Case cases[] = {
        {"the stand-in library", WinePath(VEL_SIM_DLL), true},
        {"a library whose mark differs in one letter", otherMark, false},
        {"a program without a version resource", self, false},
        {"no library at all", dir + L"\\TqDvManager.dll", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.standIn, CDeviceLibrary::IsStandIn(c.path));
        HMODULE loaded = ::LoadLibraryW(c.path.c_str());
        EXPECT_EQ(c.standIn, CDeviceLibrary::SimulatedPanelsLoaded());
        if (loaded) ::FreeLibrary(loaded);
    }
    EXPECT_FALSE(CDeviceLibrary::SimulatedPanelsLoaded()) << "the stand-in is gone again";
    ::DeleteFileW(otherMark.c_str());
    ::RemoveDirectoryW(dir.c_str());
}
#endif

}  // namespace
