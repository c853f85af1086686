// The service report's JSON for a fixed session against the expected file, and
// the SHA-256 it gives each firmware file against the standard test vectors.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "panels/ServiceReport.h"
#include "panels/Sha256.h"

namespace {
struct DigestCase {
    std::string message;
    size_t repeat;
    const char* digest;
};

TEST(Sha256Test, StandardVectorsAndBlockEdges) {
    const DigestCase cases[] = {
        {"", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1,
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopq"
         "rstu",
         1, "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {"a", 1000000, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        // The padding's edges: the length still fits the block, just not, and whole blocks.
        {"a", 55, "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {"a", 56, "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {"a", 63, "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {"a", 64, "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
    };
    for (const DigestCase& c : cases) {
        Sha256 sha;
        for (size_t i = 0; i < c.repeat; ++i) sha.Update(c.message.data(), c.message.size());
        EXPECT_EQ(sha.HexDigest(), c.digest) << c.repeat << " x \"" << c.message.substr(0, 8) << "\"";
    }
}

// A small Audio-shaped panel so that the expected file stays readable.
std::vector<CheckControl> Controls(int panel) {
    if (panel == kPanelAudio)
        return {{"MUTE", CheckKind::Key}, {"SOLO", CheckKind::Key}, {"BANK", CheckKind::Key}, {"Fader 1", CheckKind::Fader}};
    return {{"A", CheckKind::Key}, {"Knob 1", CheckKind::Steps}};
}

TEST(ServiceReportTest, JsonOfAFixedSession) {
    CheckSession session(&Controls);
    session.PanelConnected(kPanelAudio, "Ver 2 Build 21a", "Ver 1.4660 Build 7");
    PanelCheck& audio = session.CheckOf(kPanelAudio);
    audio.Feed(AudioAction{AudioAction::KeyDown, 0, 0}, 1000);
    audio.Feed(AudioAction{AudioAction::KeyUp, 0, 0}, 1100);
    audio.Feed(AudioAction{AudioAction::KeyDown, 1, 0}, 2000);
    audio.Feed(AudioAction{AudioAction::KeyUp, 1, 0}, 2010);
    audio.Feed(AudioAction{AudioAction::KeyDown, 1, 0}, 2020);
    for (int v : {0, 40, 80, 255}) audio.Feed(AudioAction{AudioAction::FaderPos, 0, v}, 3000);
    audio.MarkFailed(2, "no \"press\" shows\\");
    audio.SetResult(audio.AddResult("Motor 1"), CheckState::Checked, "worst 2, slowest 310 ms");
    session.DownloadStarted(kPanelAudio, "C:\\firmware\\audio.rom", 6180, "ab12");
    session.DownloadEnded(kPanelAudio, 0);
    session.PanelConnected(kPanelAudio, "Ver 9 Build 1ab", "Ver 1.4660 Build 7");
    session.DownloadStarted(kPanelMediaBar, "C:\\firmware\\bad.rom", 10, "");
    session.DownloadEnded(kPanelMediaBar, 4);

    const ReportHeader header{"2.0.0.0", "BENCH-PC", "Jo Engineer", "T-1234", "2026-12-08T09:15:02Z",
                              "2026-12-08 10:15:02 UTC+01:00"};
    const std::string json = ServiceReportJson(session, header, {kPanelAudio, kPanelMediaBar});
    std::ifstream file(VEL_EXPECTED_REPORT, std::ios::binary);
    ASSERT_TRUE(file) << VEL_EXPECTED_REPORT;
    std::stringstream expected;
    expected << file.rdbuf();
    EXPECT_EQ(json, expected.str());
}
}  // namespace
