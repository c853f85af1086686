// End to end: the Panel Check's automatic checks through the real main window
// and Audio window, against the stand-in library's motors and lamps with
// velsim's faults injected. Each fault must fail exactly its fader or lamp;
// the lamp walk is answered the way an engineer's eyes would, by comparing
// the lamps the panel lights (velsim's status) with the picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CMainPanelDlg.h"
#include "panels/AudioLayout.h"
#include "panels/CAudioPanelDlg.h"
#include "panels/CPanelCheckDlg.h"
#include "panels/PanelCheck.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LiveMainWindowTest.h"
#include "tests/panels/PanelTestSupport.h"

namespace {
using States = std::map<std::string, std::string>;  // row name, state

class AutomaticChecksLiveTest : public LiveMainWindowTest<> {
protected:
    // Opens the Audio window and its Panel Check window.
    void OpenAudio() {
        ASSERT_TRUE(PumpUntil([&] { return IsEnabled(Main(), IDC_AUDIO_BTN) && main->EventInterface(kPanelAudio); }));
        ClickButton(Main(), IDC_AUDIO_BTN);
        audio = dynamic_cast<CAudioPanelDlg*>(main->PanelWindow(kPanelAudio));
        ASSERT_NE(audio, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return audio->IsConnected(); }));
        audio->SendMessage(WM_SYSCOMMAND, IDM_PANEL_CHECK, 0);
        dlg = audio->PanelCheckWindow();
        ASSERT_NE(dlg, nullptr);
    }
    // Runs one automatic check to its end.
    void Run(int button) {
        ClickButton(dlg->GetSafeHwnd(), button);
        ASSERT_NE(dlg->Automatic().Running(), AutoCheck::None) << WindowText(dlg->GetDlgItemHwnd(IDC_CHECK_PROMPT));
        ASSERT_TRUE(PumpUntil([&] { return dlg->Automatic().Running() == AutoCheck::None; }, 60000))
            << WindowText(dlg->GetDlgItemHwnd(IDC_CHECK_PROMPT));
    }
    // The automatic rows whose name ends in suffix, and their states.
    States Rows(const std::string& suffix) {
        States rows;
        for (const AutomaticResult& r : main->Checks().CheckOf(kPanelAudio).Results())
            if (r.name.size() >= suffix.size() && r.name.compare(r.name.size() - suffix.size(), suffix.size(), suffix) == 0)
                rows[r.name] = CheckStateName(r.state);
        return rows;
    }
    // The lamps velsim says the panel lights, and those the picture shows.
    std::set<std::string> PanelLamps() {
        const std::string status = Control("status audio");
        std::istringstream words(status.substr(status.find(" lamps ") + 7));
        std::set<std::string> lit;
        for (std::string name; std::getline(words, name, ',');)
            if (name != "none") lit.insert(name.substr(0, name.find(' ')));
        return lit;
    }
    // The nine positions velsim gives, a held one marked with *.
    std::vector<int> PanelFaders() {
        const std::string status = Control("status audio");
        std::istringstream words(status.substr(status.find(" faders ") + 8));
        std::vector<int> at;
        for (int f = 0; f < kAudioFaderCount; ++f) {
            std::string word;
            words >> word;
            at.push_back(std::atoi(word.c_str()));
        }
        return at;
    }
    std::set<std::string> PictureLamps() {
        std::set<std::string> lit;
        for (int k = 0; k < kAudioKeyCount; ++k)
            if (audio->Key(k).GetLamp()) lit.insert(kAudioKeys[k].name);
        for (const AudioLedLayout* led : {&kAudioOver, &kAudioData})
            if (::SendDlgItemMessageW(audio->GetSafeHwnd(), led->id, BM_GETSTATE, 0, 0) & BST_PUSHED)
                lit.insert(led == &kAudioOver ? "OVER" : "DATA");
        return lit;
    }

    CAudioPanelDlg* audio = nullptr;
    CPanelCheckDlg* dlg = nullptr;
};

States AllMotorsPass() {
    States rows;
    for (int f = 1; f <= 8; ++f) rows["Fader " + std::to_string(f) + " motor"] = "checked";
    rows["Fader M motor"] = "checked";
    return rows;
}

TEST_F(AutomaticChecksLiveTest, MotorFaultsFailExactlyTheirFaders) {
    const struct {
        const char* what;
        std::vector<std::string> faults;
        std::map<std::string, std::string> failed;  // fader row, its result
    } cases[] = {
        {"clean", {}, {}},
        {"five faults",
         {"fault motor 1 stall", "fault motor 2 slow", "fault motor 3 crosstalk", "fault motor 5 overshoot",
          "fault motor 7 reversed"},
         {{"Fader 1 motor", "stall"},
          {"Fader 2 motor", "slow"},
          {"Fader 3 motor", "crosstalk"},
          {"Fader 5 motor", "overshoot"},
          {"Fader 7 motor", "reversed"}}},
    };
    OpenAudio();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(Control("reset"), "ok");
        for (const std::string& fault : c.faults) ASSERT_EQ(Control(fault), "ok") << fault;
        Run(IDC_CHECK_MOTORS);
        const PanelCheck& check = main->Checks().CheckOf(kPanelAudio);
        States expected = AllMotorsPass();
        for (const auto& [row, result] : c.failed) expected[row] = "failed";
        EXPECT_EQ(Rows(" motor"), expected);
        for (const AutomaticResult& r : check.Results()) {
            if (!r.motor) continue;
            const auto failed = c.failed.find(r.name);
            EXPECT_EQ(MotorFaultName(r.motor->fault), failed == c.failed.end() ? "pass" : failed->second) << r.name;
        }
        std::printf("[ figure ] motor check, %s: %.1f s\n", c.what, static_cast<double>(check.MotorCheckMs()) / 1000.0);
        // Given back: nothing held, the mode as it was, the on-screen faders where the panel has them.
        EXPECT_TRUE(PumpUntil([&] { return Control("status audio").find('*') == std::string::npos; }));
        EXPECT_EQ(::IsDlgButtonChecked(audio->GetSafeHwnd(), IDC_MODE_NORMAL), BST_CHECKED);
        ASSERT_TRUE(PumpUntil([&] {
            const std::vector<int> at = PanelFaders();
            for (int f = 0; f < kAudioFaderCount; ++f)
                if (audio->Fader(f)->GetPos() != at[static_cast<size_t>(f)]) return false;
            return true;
        }));
        for (int f = 0; f < kAudioFaderCount; ++f) EXPECT_TRUE(::IsWindowEnabled(audio->Fader(f)->GetSafeHwnd())) << f;
    }
}

TEST_F(AutomaticChecksLiveTest, LampFaultsFailExactlyTheirLamps) {
    OpenAudio();
    ASSERT_EQ(Control("fault deadlamp audio SOLO on"), "ok");
    ASSERT_EQ(Control("fault shortlamps audio 1_T 2_T on"), "ok");
    const std::set<std::string> before = PanelLamps();
    ClickButton(dlg->GetSafeHwnd(), IDC_CHECK_LAMPS);
    int steps = 0;
    while (dlg->Automatic().AwaitsAnswer() && steps++ < 40) {
        // The engineer looks at the panel and at the picture, and answers with Y or N.
        MSG key{};
        key.hwnd = dlg->GetDlgItemHwnd(IDC_CHECK_LIT);
        key.message = WM_KEYDOWN;
        key.wParam = PanelLamps() == PictureLamps() ? 'Y' : 'N';
        ASSERT_TRUE(CDialog::PreTranslateDialogMessage(&key));
    }
    EXPECT_EQ(dlg->Automatic().Running(), AutoCheck::None);
    States expected;
    for (const auto& key : kAudioKeys) expected[std::string(key.name) + " lamp"] = "checked";
    expected["OVER lamp"] = expected["DATA lamp"] = "checked";
    expected["SOLO lamp"] = expected["1_T lamp"] = expected["2_T lamp"] = "failed";
    EXPECT_EQ(Rows(" lamp"), expected);
    EXPECT_EQ(Rows("Lamp patterns"), (States{{"Lamp patterns", "checked"}}));
    EXPECT_EQ(PanelLamps(), before);
    EXPECT_EQ(::IsDlgButtonChecked(audio->GetSafeHwnd(), IDC_MODE_NORMAL), BST_CHECKED);
}

TEST_F(AutomaticChecksLiveTest, HandsOffFindsTheNoisyFaderOnly) {
    OpenAudio();
    ASSERT_EQ(Control("fault noisy audio 3 on"), "ok");
    Run(IDC_CHECK_HANDS_OFF);
    EXPECT_EQ(Rows("Hands off"), (States{{"Hands off", "checked"}}));
    std::set<std::string> noisy;
    for (const ControlResult& r : main->Checks().CheckOf(kPanelAudio).Controls())
        if (r.State() == CheckState::Noisy) noisy.insert(r.control.name);
    EXPECT_EQ(noisy, (std::set<std::string>{"Fader 3"}));
}

}  // namespace
