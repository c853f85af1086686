#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

#include "help/HelpFile.h"
#include "tests/help/HelpTestSupport.h"

namespace {

TEST(HelpFileName, OnePerPanelAndNoneForAnyOtherIndex) {
    const struct {
        int index;
        const wchar_t* name;
    } cases[] = {{0, L"VelJog.txt"}, {1, L"VelFad.txt"}, {2, L"VelTrk.txt"}, {3, L"VelKnb.txt"},
                 {-1, nullptr},      {4, nullptr},       {1000, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const wchar_t* name = HelpFileName(c.index);
        if (!c.name) {
            EXPECT_EQ(nullptr, name);
            EXPECT_EQ(L"", HelpFilePath(L"D:\\Tools\\", c.index));
        } else {
            ASSERT_NE(nullptr, name);
            EXPECT_STREQ(c.name, name);
            EXPECT_EQ(std::wstring(L"D:\\Tools\\") + c.name, HelpFilePath(L"D:\\Tools\\", c.index));
        }
    }
}

TEST(DirectoryOfPath, EndsAtTheLastBackslash) {
    const struct {
        const wchar_t* path;
        const wchar_t* directory;
    } cases[] = {
        {L"D:\\Tools\\VelPanel.exe", L"D:\\Tools\\"},
        {L"C:\\VelPanel.exe", L"C:\\"},
        {L"C:\\Program Files\\Vel.Panel\\bin\\VelPanel.exe", L"C:\\Program Files\\Vel.Panel\\bin\\"},
        {L"\\\\server\\share\\VelPanel.exe", L"\\\\server\\share\\"},
        {L"\\\\?\\C:\\deep\\VelPanel.exe", L"\\\\?\\C:\\deep\\"},
        {L"\\VelPanel.exe", L"\\"},
        {L"D:\\Tools\\", L"D:\\Tools\\"},
        // No folder at all: the file names alone, not a stray first letter.
        {L"VelPanel.exe", L""},
        {L"V", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "path length " << std::wstring(c.path).size());
        EXPECT_EQ(c.directory, DirectoryOfPath(c.path));
    }
}

TEST(OpenablePath, LongPathsInTheFormThatTakesAnyLength) {
    const std::wstring deep(MAX_PATH, L'd');
    const struct {
        std::wstring path;
        std::wstring openable;
    } cases[] = {
        {L"D:\\Tools\\VelTrk.txt", L"D:\\Tools\\VelTrk.txt"},
        {L"D:\\" + deep.substr(8) + L".txt", L"D:\\" + deep.substr(8) + L".txt"},         // one short of MAX_PATH
        {L"D:\\" + deep.substr(7) + L".txt", L"\\\\?\\D:\\" + deep.substr(7) + L".txt"},  // MAX_PATH
        {L"D:\\" + deep + L"\\VelTrk.txt", L"\\\\?\\D:\\" + deep + L"\\VelTrk.txt"},
        {L"\\\\server\\" + deep + L"\\VelTrk.txt", L"\\\\?\\UNC\\server\\" + deep + L"\\VelTrk.txt"},
        {L"\\\\?\\D:\\" + deep + L"\\VelTrk.txt", L"\\\\?\\D:\\" + deep + L"\\VelTrk.txt"},
        {deep + L"\\VelTrk.txt", deep + L"\\VelTrk.txt"},  // relative: left to the system
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_TRUE(c.openable == OpenablePath(c.path));
    }
}

// The program's path as the system hands it out: cut to the buffer (and terminated
// there) when it does not fit, with the buffer's size as the answer.
TEST(ProgramPath, WholeHoweverLongThePathIs) {
    const size_t lengths[] = {12, MAX_PATH - 1, MAX_PATH, MAX_PATH + 1, 600, 2 * MAX_PATH, 32767};
    for (size_t length : lengths) {
        SCOPED_TRACE(length);
        std::wstring path = L"C:\\";
        for (int n = 0; path.size() < length; ++n) path += L"dir" + std::to_wstring(n) + L"\\";
        path.resize(length - 4);
        path += L".exe";
        const std::wstring got = ProgramPath([&path](wchar_t* buffer, unsigned long size) -> unsigned long {
            if (path.size() < size) {
                std::copy(path.begin(), path.end(), buffer);
                buffer[path.size()] = L'\0';
                return static_cast<unsigned long>(path.size());
            }
            std::copy(path.begin(), path.begin() + (size - 1), buffer);
            buffer[size - 1] = L'\0';
            return size;
        });
        EXPECT_TRUE(path == got) << "got " << got.size() << " units";
    }
}

TEST(ProgramPath, EmptyWhenTheSystemHasNoPath) {
    const struct {
        const char* what;
        std::function<unsigned long(wchar_t*, unsigned long)> answer;
    } cases[] = {
        {"failure", [](wchar_t*, unsigned long) -> unsigned long { return 0; }},
        {"never fits",
         [](wchar_t* buffer, unsigned long size) -> unsigned long {
             std::fill(buffer, buffer + size, L'x');
             return size;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(L"", ProgramPath(c.answer));
    }
}

// A help file's bytes and the text the window must show for them.
struct ReadCase {
    const char* name;
    std::string bytes;
    std::wstring text;
};

ReadCase Ascii(const char* name, const std::string& bytes) { return {name, bytes, Widened(bytes)}; }

class ReadTextFileTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTextFileTest, ShowsTheWholeFileInItsEncoding) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"VelJog.txt";
    ASSERT_TRUE(WriteBytes(path, GetParam().bytes));
    const std::optional<std::wstring> text = ReadTextFile(path);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(GetParam().text.size(), text->size());
    EXPECT_TRUE(GetParam().text == *text) << "text differs";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadTextFileTest,
    testing::Values(
        Ascii("Empty", ""), Ascii("OneLineNoEnd", "Jog dial"),
        Ascii("CrLfLines", "Keys F1 to F6\r\nTransport keys\r\n\r\nLamps\r\n"),
        Ascii("Exactly1023Bytes", NumberedLines(1023)), Ascii("Exactly1024Bytes", NumberedLines(1024)),
        Ascii("Exactly1025Bytes", NumberedLines(1025)), Ascii("FortyKilobytes", NumberedLines(40000)),
        Ascii("MoreThanOneReadChunk", NumberedLines((1 << 20) + 4097)),
        // Windows-1252: the accented letters are Latin-1, the 0x80 to 0x9F block is not.
        ReadCase{"AnsiCodePage", "caf\xE9 \x80 5 \x93ok\x94 \xFC\r\n", L"caf\u00E9 \u20AC 5 \u201Cok\u201D \u00FC\r\n"},
        ReadCase{"AnsiAfterLongText", NumberedLines(1500) + "\xE9", Widened(NumberedLines(1500)) + L"\u00E9"},
        ReadCase{"EndsAtAZeroByte", std::string("shown\r\n\0not shown", 17), L"shown\r\n"},
        // UTF-8 with its mark, without it, and the mark alone; bytes that are not
        // valid UTF-8 anywhere in the file keep the whole file in the ANSI code page.
        ReadCase{"Utf8WithMark", "\xEF\xBB\xBF" "caf\xC3\xA9 \xE2\x82\xAC\r\n", L"caf\u00E9 \u20AC\r\n"},
        ReadCase{"Utf8WithoutMark", "F\xC3\xBC\x6E\x66 \xE2\x80\x93 5\r\n", L"F\u00FCnf \u2013 5\r\n"},
        ReadCase{"MarkAlone", "\xEF\xBB\xBF", L""},
        ReadCase{"Utf8ThenAnsi", "\xC3\xA9 then \xE9", L"\u00C3\u00A9 then \u00E9"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(ReadTextFile, NothingWhenTheFileCannotBeOpened) {
    TempDir dir;
    ASSERT_TRUE(MakeDirectories(dir.Path() + L"VelFad.txt"));
    const std::wstring cases[] = {dir.Path() + L"VelTrk.txt",           // missing
                                  dir.Path() + L"VelFad.txt",           // a folder of that name
                                  dir.Path() + L"missing\\VelKnb.txt",  // in a missing folder
                                  L""};
    for (const std::wstring& path : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&path - cases));
        EXPECT_FALSE(ReadTextFile(path).has_value());
    }
}

TEST(ReadTextFile, ReadsAFileInAFolderDeeperThanMaxPath) {
    TempDir dir;
    std::wstring deep = dir.Path();
    while (deep.size() < MAX_PATH + 40) deep += L"a folder with a long name for the help test\\";
    ASSERT_TRUE(MakeDirectories(deep));
    const std::wstring path = deep + L"VelTrk.txt";
    ASSERT_GT(path.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(WriteBytes(path, "deep\r\n"));
    EXPECT_EQ(L"deep\r\n", ReadTextFile(path).value_or(L"(not read)"));
}

}  // namespace
