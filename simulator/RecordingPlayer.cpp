#include "simulator/RecordingPlayer.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "recorder/format/ReadableTimeline.h"
#include "recorder/format/RecordingParser.h"
#include "recorder/format/RecordingTimeline.h"
#include "recorder/format/ReplayPlan.h"
#include "simulator/Utf8Text.h"

namespace {
bool ReadText(const std::wstring& path, std::string& text) {
    // Shared for writing too: a recording still being written can be looked at.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (std::int64_t(1) << 30);
    if (ok) {
        text.resize(std::size_t(size.QuadPart));
        DWORD got = 0;
        ok = text.empty() || (ReadFile(file, &text[0], DWORD(text.size()), &got, nullptr) && got == text.size());
    }
    CloseHandle(file);
    return ok;
}

// The events of the good lines; false (and a message) when the file cannot be read at all.
bool Load(const std::wstring& path, std::vector<RecordedEvent>& events, std::string& damage) {
    std::string text;
    if (!ReadText(path, text)) {
        std::fprintf(stderr, "error: cannot read %s\n", Utf8(path).c_str());
        return false;
    }
    if (!RecordingParser::Parse(text, events, damage)) damage = Utf8(path) + ": " + damage;
    return true;
}

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}
}  // namespace

int RecordingPlayer::Show(const std::wstring& path, bool raw) {
    std::vector<RecordedEvent> events;
    std::string damage;
    if (!Load(path, events, damage)) return 1;
    // The timeline is UTF-8 ("40 → 212"); a console shows it as such only with its
    // code page switched, and is given its own back afterwards.
    const UINT consolePage = GetConsoleOutputCP();
    if (consolePage) SetConsoleOutputCP(CP_UTF8);
    std::fputs((raw ? RecordingTimeline::Format(events) : ReadableTimeline::Format(events)).c_str(), stdout);
    std::fflush(stdout);
    if (consolePage) SetConsoleOutputCP(consolePage);
    if (damage.empty()) return 0;
    std::fprintf(stderr, "error: %s\n", damage.c_str());
    return 1;
}

int RecordingPlayer::Play(const std::wstring& path, double speed, const std::function<Ask()>& connect) {
    std::vector<RecordedEvent> events;
    std::string damage;
    if (!Load(path, events, damage)) return 1;
    const std::vector<ReplayStep> steps = ReplayPlan::Build(events);
    const Ask ask = connect();
    if (!ask) return 2;
    // The pace counts from the first replayed event: the quiet start of a session is not waited out.
    const double start = NowMs();
    const double first = steps.empty() ? 0 : steps.front().ms;
    for (const ReplayStep& step : steps) {
        const double due = start + (step.ms - first) / speed;
        for (double now = NowMs(); now < due; now = NowMs()) Sleep(DWORD(due - now > 1 ? due - now : 1));
        std::string answer;
        if (!ask(step.command, answer)) {
            std::fprintf(stderr, "error: the control channel closed (recording line %d)\n", step.line);
            return 2;
        }
        if (answer.compare(0, 2, "ok") != 0) {
            std::fprintf(stderr, "error: %s: line %d was refused: %s\n", Utf8(path).c_str(), step.line, answer.c_str());
            return 1;
        }
    }
    if (!damage.empty()) {
        std::fprintf(stderr, "error: %s; replay stopped there after %u events\n", damage.c_str(),
                     unsigned(steps.size()));
        return 1;
    }
    std::printf("ok replayed %u events in %.1f s\n", unsigned(steps.size()), (NowMs() - start) / 1000.0);
    std::fflush(stdout);
    return 0;
}
