// Parses one line of the control protocol. Tokens are separated by blanks and
// are case-insensitive (except a script path); '#' starts a comment. Every
// number is range-checked and every key name checked against its panel here,
// so a line that parses can be run, and one that does not never reaches a panel.
//
//   press|release|tap <panel> <key>
//   jog <steps>                       -32767..32767
//   knob <1-8> <steps>                -10000..10000 (Media Bar)
//   ball <dx> <dy>                    -10000..10000 each (Trackball)
//   ring <steps>                      -10000..10000 (Trackball)
//   fader <1-8|master> <0-255>        (Audio)
//   plug|unplug|powercycle <panel>
//   firmware <panel> <major 0-255> <build, hexadecimal 0-fff>
//   driver <panel> <major 0-255> <minor 0-65535> <build 0-255>
//   fault getinterface <panel> [device|events|both] on|off
//   fault versioninfo <panel> on|off
//   fault unplug-in-download <panel> on|off
//   fault unknown-iid [<panel>]
//   fault connection-state <panel> <any 32-bit value>
//   report <panel> <changes: 56 hex digits> <status: 64 hex digits>   (a raw report, for replays)
//   storm <panel> <reports a second 1-5000> <seconds 1-120>
//   wait <ms 0-600000>                (scripts only)
//   play <path> | demo | stop | reset | status [<panel>] | help
// Panels: jog (or jogshuttle), audio, trackball, mediabar.
#pragma once

#include <string>

#include "ControlCommand.h"

class CommandParser {
public:
    static constexpr std::size_t kMaxLineLength = 1024;

    // True on success; otherwise error says why.
    static bool Parse(const std::string& line, ControlCommand& out, std::string& error);
    static int PanelByName(const std::string& name);
    static const char* PanelName(int panel);
    static const char* Usage();
};
