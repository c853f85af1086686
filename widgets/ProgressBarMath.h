// The arithmetic of the percentage progress bar: how much of the bar is filled,
// which text it shows and how the text is handed out through WM_GETTEXT. Free of
// any window so that it can be checked on the host too.
#pragma once

#include <cstddef>
#include <string>

namespace progressbar {

// A range whose lower bound is not below its upper bound shows nothing.
bool IsEmptyRange(int lower, int upper);

// (position - lower) / (upper - lower) in double precision, not clamped: a
// position outside the range gives a fraction below 0 or above 1. 0 for an
// empty range.
double Fraction(int position, int lower, int upper);

// clientWidth * fraction, truncated toward zero; saturates at the ends of int
// for positions far outside the range.
int BarWidth(int clientWidth, double fraction);

// Where the filled part ends: left + barWidth, kept within [left, right] so
// that neither part of the bar is ever an inverted rectangle.
int SplitX(int left, int right, int barWidth);

// "NN%" of fraction * 100 truncated toward zero: 0.999 shows 99%, -0.25 -25%.
std::wstring PercentText(double fraction);

// The custom text when there is one, otherwise the percentage.
std::wstring BarText(const std::wstring& customText, double fraction);

// WM_GETTEXT: copies at most capacity - 1 characters of text and a terminator
// into buffer and returns the number of characters copied. A null buffer or a
// capacity of 0 copies nothing.
std::size_t CopyText(const std::wstring& text, wchar_t* buffer, std::size_t capacity);

}  // namespace progressbar
