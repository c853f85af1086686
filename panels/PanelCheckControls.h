// The controls a Panel Check lists for each panel, taken from the panel's
// layout so that a key added there is checked too: the keys under their
// printed names in the order the panel's decoder numbers them, then the
// faders, dials, ball axes or knobs in the order PanelCheck::Feed expects.
#pragma once

#include <vector>

#include "panels/PanelCheck.h"

std::vector<CheckControl> PanelCheckControls(int panel);
