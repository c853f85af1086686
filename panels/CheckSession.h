// What the Panel Checks of one run of the program have found, for the reports:
// each panel's check (kept when its windows close, so that a panel can be
// checked in several sittings), the versions the main window last showed for
// it and the firmware downloads of the run. Window-free; the main window owns
// one and lends it to the panel windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contract/PanelBlocks.h"
#include "panels/PanelCheck.h"

// "Jog & Shuttle", "Audio", "Trackball", "Media Bar".
const char* PanelTypeName(int panel);

struct DownloadRecord {
    int panel = 0;
    std::string file;  // full path, UTF-8
    std::uint64_t size = 0;
    std::string sha256;  // lowercase hex; empty when the file could not be read
    std::string result;  // "running", "succeeded", "failed (result N)", "no answer"
    std::string firmwareBefore, driverBefore;
    // The versions the main window showed after the end, the latest of them:
    // a new firmware runs only after the panel came back from a power cycle.
    std::string firmwareAfter, driverAfter;
    bool ended = false;
};

class CheckSession {
public:
    using ControlsOf = std::function<std::vector<CheckControl>(int panel)>;
    explicit CheckSession(ControlsOf controlsOf) : m_controlsOf(std::move(controlsOf)) {}

    // The panel's check, made on first use.
    PanelCheck& CheckOf(int panel);
    // Null while the panel has no check yet.
    const PanelCheck* Find(int panel) const;

    // The main window showed the panel connected with these versions.
    void PanelConnected(int panel, std::string firmware, std::string driver);
    const std::string& Firmware(int panel) const { return m_versions[Index(panel)].firmware; }
    const std::string& Driver(int panel) const { return m_versions[Index(panel)].driver; }

    void DownloadStarted(int panel, std::string file, std::uint64_t size, std::string sha256);
    // result: the panel's download result word, or -1 when it could not be read.
    void DownloadEnded(int panel, std::int32_t result);
    const std::vector<DownloadRecord>& Downloads() const { return m_downloads; }

    // Who checks, for which job: asked once per run.
    std::string operatorName;
    std::string ticket;
    bool operatorAsked = false;

private:
    struct Versions {
        std::string firmware, driver;
    };
    static size_t Index(int panel) { return (panel >= 0 && panel < kPanelCount) ? static_cast<size_t>(panel) : 0; }

    ControlsOf m_controlsOf;
    std::unique_ptr<PanelCheck> m_checks[kPanelCount];
    Versions m_versions[kPanelCount];
    std::vector<DownloadRecord> m_downloads;
};
