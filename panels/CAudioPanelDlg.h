// The Audio window (PanelIndex 1): 29 keys with lamps, the OVER and DATA
// indicators and nine motor faders over the module's picture. Keys and faders
// follow the panel's reports; an on-screen fader drags the panel's fader with
// it, and letting go hands all nine back to the panel.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "panels/AudioLayout.h"
#include "panels/AudioReport.h"
#include "panels/CPanelFrameDlg.h"
#include "widgets/CFaderCtrl.h"
#include "widgets/CLampKeyButton.h"
#include "widgets/CShapedButton.h"

class CAudioPanelDlg : public CPanelFrameDlg, private IMotorDriver {
public:
    explicit CAudioPanelDlg(CWnd* owner);

    // For inspection: the key of a kAudioKeys index, fader 0 to 8 (null when not
    // created), how many channel faders have a window, and whether the window
    // still waits for the panel after Normal.
    CLampKeyButton& Key(int index) { return m_keys[index]; }
    CFaderCtrl* Fader(int fader);
    size_t ChannelFaderCount() const;
    bool WaitsForPanel() const { return m_pendingWait.Running(); }

    // The pending-word wait's bounds; tests shorten them.
    void SetPendingWaitLimits(PendingWordWait::Limits limits) { m_pendingWait = PendingWordWait(limits); }
    // How often the pending word is read while the panel is busy.
    static constexpr UINT kPendingPollMs = 10;

protected:
    void CreatePanelControls() override;
    void DestroyPanelControls() override;
    void OnReport(const PanelReport& report) override;
    void OnReportsHandled() override;
    void OnModeSwitched(PanelMode mode) override;
    void OnPanelConnected() override;
    BOOL OnTimer(UINT_PTR id) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // The Panel Check's lamp walk and motor check: the 29 key lamps with OVER
    // and DATA, and the nine motors.
    std::vector<std::string> LampNames() const override;
    std::vector<bool> LampsShown() const override;
    void ShowLamps(const std::vector<bool>& lit) override;
    IMotorDriver* Motors() override { return this; }
    bool FaderDragged() const override;
    MotorCheck::Positions FaderPositions() override;
    void LockFaders(bool locked) override;
    // Reads the panel's state and hands all nine faders back to it there.
    void HandFadersBack() override;

private:
    // IMotorDriver
    void SetFader(int fader, int hold, int position) override;

    void CreateKeys();
    void CreateLeds();
    void CreateFaders();
    void Apply(const std::vector<AudioAction>& actions);
    void ShowLed(CShapedButton& led, int number, int lit, bool sendLed);
    void OnFaderMoved(HWND fader);
    // The panel's state block; all zero when the read fails.
    PanelStatus ReadState();
    void PollPendingWord();
    ITqAudioDevice* AudioDevice() const;

    CLampKeyButton m_keys[kAudioKeyCount];
    // Lamps a batch of reports has switched, shown when the batch is through.
    std::array<std::optional<BYTE>, kAudioKeyCount> m_pendingLamps{};
    CShapedButton m_over;
    CShapedButton m_data;
    CFaderCtrl m_channelFaders[kAudioMasterFader];  // the master is the last fader
    CFaderCtrl m_master;
    PendingWordWait m_pendingWait;
};
