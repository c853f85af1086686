#include "simulator/model/DemoScript.h"

namespace {
void Line(std::string& s, const std::string& line) { s += line + "\n"; }
void Tap(std::string& s, const char* panel, const char* key, int waitMs = 250) {
    Line(s, std::string("tap ") + panel + " " + key);
    Line(s, "wait " + std::to_string(waitMs));
}
}  // namespace

std::string DemoScript() {
    std::string s;
    Line(s, "# Jog & Shuttle: keys, then the dial in JOG, SHUTTLE and DMC.");
    Line(s, "# Keys A-D ask an open Jog & Shuttle window to set the dial mode.");
    for (const char* k : {"F1", "F2", "F3", "F4", "F5", "F6", "REVERSE", "PLAY", "STOP", "REWIND", "FFWD"})
        Tap(s, "jog", k, 200);
    Tap(s, "jog", "B", 400);
    for (int i = 0; i < 12; ++i) {
        Line(s, "jog 24");
        Line(s, "wait 60");
    }
    Tap(s, "jog", "C", 400);
    for (int i = 0; i < 8; ++i) {
        Line(s, "jog 12");
        Line(s, "wait 80");
    }
    for (int i = 0; i < 8; ++i) {
        Line(s, "jog -24");
        Line(s, "wait 80");
    }
    Tap(s, "jog", "D", 400);
    for (int i = 0; i < 12; ++i) {
        Line(s, "jog 24");
        Line(s, "wait 60");
    }
    Tap(s, "jog", "A", 300);
    for (const char* k : {"E", "F", "G", "SHIFT", "ENTER"}) Tap(s, "jog", k, 200);

    Line(s, "# Audio: the top and bottom key rows, then every fader and the master.");
    for (const char* k : {"1_T", "2_T", "3_T", "4_T", "5_T", "6_T", "7_T",  "8_T",  "FUNC", "1_B", "2_B",
                          "3_B", "4_B", "5_B", "6_B", "7_B", "8_B", "MUTE", "SOLO", "MONO", "BANK"})
        Tap(s, "audio", k, 150);
    for (int f = 1; f <= 8; ++f) {
        for (int v = 0; v <= 255; v += 51) {
            Line(s, "fader " + std::to_string(f) + " " + std::to_string(v));
            Line(s, "wait 30");
        }
    }
    for (int v : {255, 220, 180, 128, 60, 40, 10, 128}) {
        Line(s, "fader master " + std::to_string(v));
        Line(s, "wait 200");
    }

    Line(s, "# Trackball: keys, the ball circle going round, the ring.");
    for (const char* k : {"SHIFT", "A", "B", "C", "D", "E", "F", "ENTER"}) Tap(s, "trackball", k, 200);
    const int ballX[] = {40, 28, 0, -28, -40, -28, 0, 28, 40, 0};
    const int ballY[] = {0, 28, 40, 28, 0, -28, -40, -28, 0, 0};
    for (int i = 0; i < 10; ++i) {
        Line(s, "ball " + std::to_string(ballX[i]) + " " + std::to_string(ballY[i]));
        Line(s, "wait 120");
    }
    for (int i = 0; i < 10; ++i) {
        Line(s, "ring 20");
        Line(s, "wait 60");
    }
    for (int i = 0; i < 10; ++i) {
        Line(s, "ring -20");
        Line(s, "wait 60");
    }

    Line(s, "# Media Bar: keys A and B, then each knob forward and back.");
    Tap(s, "mediabar", "A", 300);
    Tap(s, "mediabar", "B", 300);
    for (int k = 1; k <= 8; ++k) {
        for (int i = 0; i < 4; ++i) {
            Line(s, "knob " + std::to_string(k) + " 25");
            Line(s, "wait 40");
        }
        for (int i = 0; i < 4; ++i) {
            Line(s, "knob " + std::to_string(k) + " -25");
            Line(s, "wait 40");
        }
    }
    return s;
}
