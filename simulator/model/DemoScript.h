// The built-in demo: works every panel in turn, so that whoever opens a panel
// window sees it come alive. Plain control-protocol text.
#pragma once

#include <string>

std::string DemoScript();
