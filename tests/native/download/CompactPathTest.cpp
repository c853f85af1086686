// CompactPath with every character one unit wide, so widths read as lengths.
#include <gtest/gtest.h>

#include <string>

#include "download/CompactPath.h"

namespace {

int Length(const std::wstring& text) { return static_cast<int>(text.size()); }

TEST(CompactPath, LeavesOutFoldersFromTheMiddleAndKeepsTheFileName) {
    const struct {
        const wchar_t* path;
        int width;
        const wchar_t* shown;
    } cases[] = {
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 30, L"C:\\alpha\\beta\\firmware\\jog.rom"},  // fits exactly
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 29, L"C:\\...\\beta\\firmware\\jog.rom"},
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 27, L"C:\\...\\firmware\\jog.rom"},
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 23, L"C:\\...\\firmware\\jog.rom"},
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 22, L"C:\\...\\jog.rom"},
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 14, L"C:\\...\\jog.rom"},
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 13, L"...\\jog.rom"},  // not even the root: the name stays
        {L"C:\\alpha\\beta\\firmware\\jog.rom", 2, L"...\\jog.rom"},
        {L"\\\\server\\share\\tools\\fw\\jog.rom", 28, L"\\\\server\\share\\...\\jog.rom"},
        {L"Z:\\work\\main\\dist\\win64\\firmware\\audio.rom", 26, L"Z:\\...\\firmware\\audio.rom"},
        {L"jog.rom", 3, L"jog.rom"},  // nothing to leave out
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width);
        EXPECT_EQ(std::wstring(c.shown), CompactPath(c.path, c.width, Length));
    }
}

}  // namespace
