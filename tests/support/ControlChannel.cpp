#include "tests/support/ControlChannel.h"

#include "tests/support/ControlConnection.h"

std::string SendControlLine(const std::wstring& pipeName, const std::string& line) {
    ControlConnection connection(pipeName);
    if (!connection.IsOpen()) return "no pipe";
    std::string answer;
    connection.Write(line + "\n");
    connection.ReadLine(answer);
    return answer;
}
