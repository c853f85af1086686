#include "panels/CheckSession.h"

#include <utility>

const char* PanelTypeName(int panel) {
    static const char* const names[kPanelCount] = {"Jog & Shuttle", "Audio", "Trackball", "Media Bar"};
    return (panel >= 0 && panel < kPanelCount) ? names[panel] : "";
}

PanelCheck& CheckSession::CheckOf(int panel) {
    std::unique_ptr<PanelCheck>& check = m_checks[Index(panel)];
    if (!check) check = std::make_unique<PanelCheck>(panel, m_controlsOf(panel));
    return *check;
}

const PanelCheck* CheckSession::Find(int panel) const { return m_checks[Index(panel)].get(); }

void CheckSession::PanelConnected(int panel, std::string firmware, std::string driver) {
    // Only the panel's latest download follows; an earlier one keeps what
    // the panel ran until the next download started.
    for (auto it = m_downloads.rbegin(); it != m_downloads.rend(); ++it) {
        if (it->panel != panel) continue;
        if (it->ended) {
            it->firmwareAfter = firmware;
            it->driverAfter = driver;
        }
        break;
    }
    m_versions[Index(panel)] = {std::move(firmware), std::move(driver)};
}

void CheckSession::DownloadStarted(int panel, std::string file, std::uint64_t size, std::string sha256) {
    DownloadRecord record;
    record.panel = panel;
    record.file = std::move(file);
    record.size = size;
    record.sha256 = std::move(sha256);
    record.result = "running";
    record.firmwareBefore = Firmware(panel);
    record.driverBefore = Driver(panel);
    m_downloads.push_back(std::move(record));
}

void CheckSession::DownloadEnded(int panel, std::int32_t result) {
    for (auto it = m_downloads.rbegin(); it != m_downloads.rend(); ++it) {
        if (it->panel != panel || it->result != "running") continue;
        it->ended = true;
        it->result = result < 0 ? "no answer" : result == 0 ? "succeeded" : "failed (result " + std::to_string(result) + ")";
        return;
    }
}
