#include <gtest/gtest.h>

#include <string>

#include "device/CDeviceLibrary.h"
#include "framework/CWinApp.h"
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

}  // namespace
