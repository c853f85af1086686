#pragma once

#include <string>

// Focus, activation, capture and the z-order are shared by every process on one
// Wine desktop, so test programs that ctest runs side by side take them from each
// other. ctest hands each running test a slot of the "desktop" resource
// (CTEST_RESOURCE_GROUP_0_DESKTOP="id:N,slots:1"); the test program then puts its
// main thread on a desktop of that slot's own before it creates any window, and
// the programs it starts (VelPanel, velsim) inherit that desktop.

// The desktop name of a slot as ctest describes it ("id:1,slots:1" -> "VelTest1");
// empty when the description names no id.
std::wstring TestDesktopName(const std::string& allocation);

// Moves the calling thread to the desktop of its ctest slot, if it has one.
// Returns false (and says why on stderr) only when a slot was given and the
// desktop could not be entered.
bool EnterTestDesktop();
