// The stand-in library's mark: the InternalName of its version resource. The
// program puts "simulated panels" in its title when a library with this mark is
// loaded, and the installer never overwrites or removes a TqDvManager.dll without
// it. The resource compiler and makensis read this file too: keep it one define.
#pragma once

#define VEL_STAND_IN_MARK "VelPanel simulated panels"
