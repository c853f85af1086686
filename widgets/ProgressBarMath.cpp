#include "widgets/ProgressBarMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace progressbar {

namespace {
// Truncation toward zero that stays defined for any double: out-of-range
// values saturate, NaN gives 0.
int TruncateToInt(double value) {
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    if (std::isnan(value)) return 0;
    if (value >= kMax) return std::numeric_limits<int>::max();
    if (value <= kMin) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}
}  // namespace

bool IsEmptyRange(int lower, int upper) { return lower >= upper; }

double Fraction(int position, int lower, int upper) {
    if (IsEmptyRange(lower, upper)) return 0.0;
    // In double from the start: upper - lower overflows int for wide ranges.
    return (static_cast<double>(position) - lower) / (static_cast<double>(upper) - lower);
}

int BarWidth(int clientWidth, double fraction) { return TruncateToInt(clientWidth * fraction); }

int SplitX(int left, int right, int barWidth) {
    const long long split = static_cast<long long>(left) + barWidth;
    if (right < left) return left;
    return static_cast<int>(std::clamp<long long>(split, left, right));
}

std::wstring PercentText(double fraction) { return std::to_wstring(TruncateToInt(fraction * 100.0)) + L"%"; }

std::wstring BarText(const std::wstring& customText, double fraction) {
    return customText.empty() ? PercentText(fraction) : customText;
}

std::size_t CopyText(const std::wstring& text, wchar_t* buffer, std::size_t capacity) {
    if (!buffer || capacity == 0) return 0;
    const std::size_t count = std::min(capacity - 1, text.size());
    std::copy_n(text.data(), count, buffer);
    buffer[count] = L'\0';
    return count;
}

}  // namespace progressbar
