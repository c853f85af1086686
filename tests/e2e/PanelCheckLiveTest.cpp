// End to end: the Panel Check through the real main window and panel windows,
// with the stand-in library's panels worked control by control over velsim's
// channel. With one velsim fault injected the saved report must fail exactly
// that control; without one the same session must pass.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/CMainPanelDlg.h"
#include "panels/AudioLayout.h"
#include "panels/CPanelFrameDlg.h"
#include "panels/MediaBarLayout.h"
#include "panels/PanelCheck.h"
#include "panels/ServiceReportFiles.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LiveMainWindowTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {
using Failures = std::vector<std::pair<std::string, std::string>>;  // name, state

struct CheckRow {
    const char* name;
    int panel;
    const char* fault;  // a velsim line, or empty
    Failures failures;  // what the report must fail, and nothing else
};
// Keeps the test's listed name readable.
void PrintTo(const CheckRow& row, std::ostream* os) { *os << row.name; }

// Each key once, each knob a dozen steps each way, each fader up through every
// sixteenth to the top and back to the bottom: what an engineer's hands do.
std::vector<std::string> WorkEveryControl(int panel) {
    std::vector<std::string> lines;
    if (panel == kPanelMediaBar) {
        for (const auto& key : kMediaBarKeys) {
            lines.push_back(std::string("press mediabar ") + key.name);
            lines.push_back(std::string("release mediabar ") + key.name);
        }
        for (int k = 1; k <= kMediaBarKnobCount; ++k) {
            lines.push_back("knob " + std::to_string(k) + " 12");
            lines.push_back("knob " + std::to_string(k) + " -12");
        }
    } else {
        for (const auto& key : kAudioKeys) {
            lines.push_back(std::string("press audio ") + key.name);
            lines.push_back(std::string("release audio ") + key.name);
        }
        for (int f = 0; f < kAudioFaderCount; ++f) {
            const std::string fader = "fader " + (f == kAudioMasterFader ? std::string("master") : std::to_string(f + 1));
            for (int pos = 8; pos < 256; pos += 16) lines.push_back(fader + " " + std::to_string(pos));
            lines.push_back(fader + " 255");
            lines.push_back(fader + " 0");
        }
    }
    return lines;
}

// The "failures" list and the verdict of a one-panel report.
std::string Verdict(const std::string& json) {
    const std::string key = "\"verdict\": \"";
    const size_t at = json.find(key);
    if (at == std::string::npos) return {};
    return json.substr(at + key.size(), json.find('"', at + key.size()) - at - key.size());
}

Failures FailuresOf(const std::string& json) {
    Failures out;
    const size_t begin = json.find("\"failures\": [");
    const size_t end = json.find(']', begin);
    const std::string name = "{\"name\": \"", state = "\", \"state\": \"";
    for (size_t at = json.find(name, begin); at != std::string::npos && at < end; at = json.find(name, at + 1)) {
        const size_t nameEnd = json.find(state, at);
        const size_t stateEnd = json.find('"', nameEnd + state.size());
        out.emplace_back(json.substr(at + name.size(), nameEnd - at - name.size()),
                         json.substr(nameEnd + state.size(), stateEnd - nameEnd - state.size()));
    }
    return out;
}

std::wstring ReportPath(const char* row) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"VelPanelCheck-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (const char* p = row; *p; ++p) path += static_cast<wchar_t>(*p == ' ' ? '_' : *p);
    return path + L".html";
}

const CheckRow kRows[] = {
    {"clean Media Bar", kPanelMediaBar, "", {}},
    {"stuck key", kPanelMediaBar, "fault stuck mediabar B on", {{"B", "stuck"}}},
    {"clean Audio", kPanelAudio, "", {}},
    {"chattering key", kPanelAudio, "fault chatter audio SOLO on", {{"SOLO", "chatter"}}},
    {"dead zone fader", kPanelAudio, "fault deadzone 3 100 140", {{"Fader 3", "partly"}}},
};

class PanelCheckLiveTest : public LiveMainWindowTest<::testing::TestWithParam<CheckRow>> {};

TEST_P(PanelCheckLiveTest, TheReportFailsExactlyTheFaultyControl) {
    const CheckRow& row = GetParam();
    const int button = row.panel == kPanelAudio ? IDC_AUDIO_BTN : IDC_MEDIABAR_BTN;
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(Main(), button) && main->EventInterface(row.panel); }));
    if (*row.fault) {
        ASSERT_EQ(Control(row.fault), "ok");
    }
    ClickButton(Main(), button);
    CPanelFrameDlg* panel = main->PanelWindow(row.panel);
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return panel->IsConnected(); }));

    for (const std::string& line : WorkEveryControl(row.panel)) ASSERT_EQ(Control(line), "ok") << line;
    PanelCheck& check = main->Checks().CheckOf(row.panel);
    const int faulty = static_cast<int>(row.failures.size());
    ASSERT_TRUE(PumpUntil([&] { return check.CheckedCount() == check.RowCount() - faulty; }))
        << check.CheckedCount() << " of " << check.RowCount();
    // A stuck key shows as stuck once it has been down past the limit; the
    // Panel Check window's timer would say so that much later.
    check.Tick(::GetTickCount64() + PanelCheck::kStuckMs + 1);

    const std::wstring html = ReportPath(row.name);
    ASSERT_TRUE(WriteServiceReport(html, main->Checks(), {row.panel}));
    const std::wstring jsonPath = html.substr(0, html.size() - 5) + L".json";
    const auto json = ReadWholeFile(jsonPath);
    ASSERT_TRUE(json.has_value());
    EXPECT_EQ(Verdict(*json), faulty ? "FAIL" : "PASS");
    EXPECT_EQ(FailuresOf(*json), row.failures);
    const auto page = ReadWholeFile(html);
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find(faulty ? "FAIL" : "PASS"), std::string::npos);
    ::DeleteFileW(html.c_str());
    ::DeleteFileW(jsonPath.c_str());
    EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, PanelCheckLiveTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<CheckRow>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) name += (*p == ' ') ? '_' : *p;
                             return name;
                         });
}  // namespace
