// One parsed line of the control protocol.
#pragma once

#include <string>

#include "contract/PanelBlocks.h"

struct ControlCommand {
    enum Verb {
        kNone,  // empty line or comment (scripts only)
        kPress,
        kRelease,
        kTap,
        kJog,
        kKnob,
        kBall,
        kRing,
        kFader,
        kPlug,
        kUnplug,
        kPowerCycle,
        kFirmware,
        kDriver,
        kFault,
        kStorm,
        kUnknownIid,
        kConnectionState,  // a connection callback with any state, the panel unchanged
        kReport,           // a report of exactly these bytes, the panel unchanged (recording replay)
        kWait,
        kPlay,
        kDemo,
        kStop,
        kReset,
        kStatus,
        kHelp,
    };
    enum FaultKind {
        kFaultGetInterface,
        kFaultVersionInfo,
        kFaultUnplugInDownload,
        kFaultStuckKey,
        kFaultChatterKey,
        kFaultDeadZone,    // a: fader, b and c: the zone (b > c: none)
        kFaultNoisy,       // panel: audio or mediabar, a: fader or knob
        kFaultMotor,       // a: fader, b: AudioModel::MotorFault
        kFaultDeadLamp,    // panel, a: the lamp as SetLed numbers it
        kFaultShortLamps,  // panel, a and b: the two lamps
    };

    Verb verb = kNone;
    int panel = -1;           // PanelIndex, or -1 when none was given
    std::string key;          // key name as the panel knows it
    int a = 0, b = 0, c = 0;  // numbers, by verb
    FaultKind fault = kFaultGetInterface;
    bool device = true, events = true;  // fault getinterface: which interfaces
    bool on = true;
    std::string text;        // play: the path
    PanelChanges changes{};  // report
    PanelStatus status{};    // report
};
