// Parses one line of the control protocol. Tokens are separated by blanks and
// are case-insensitive (except a script path); '#' starts a comment. Every
// number is range-checked and every key name checked against its panel here,
// so a line that parses can be run, and one that does not never reaches a panel.
// Each command is one row of a table (CommandParser.cpp) that gives its
// arguments and a few words about it: the refusals quote it, and Help() lists it.
// Panels: jog (or jogshuttle), audio, trackball, mediabar.
#pragma once

#include <string>
#include <vector>

#include "simulator/model/ControlCommand.h"

class CommandParser {
public:
    static constexpr std::size_t kMaxLineLength = 1024;

    // True on success; otherwise error says why.
    static bool Parse(const std::string& line, ControlCommand& out, std::string& error);
    static int PanelByName(const std::string& name);
    static const char* PanelName(int panel);
    // Every command with its arguments, one a line under the heading of its
    // group, velsim's own ones included.
    static std::vector<std::string> Help();
};
