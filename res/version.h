// The program's version, in one place: the version resources of VelPanel.exe and of the
// stand-in library are built from it, and build.sh reads it to name the release packages.
// build.sh reads the four VEL_VERSION_* lines below with sed: keep them "#define NAME number".
#pragma once

#define VEL_VERSION_MAJOR 2
#define VEL_VERSION_MINOR 0
#define VEL_VERSION_PATCH 0
#define VEL_VERSION_BUILD 0

#define VEL_VERSION_STR_(x) #x
#define VEL_VERSION_STR(x) VEL_VERSION_STR_(x)
// "2.0.0.0": one string literal, as the resource compiler joins no literals.
#define VEL_VERSION_TEXT VEL_VERSION_STR(VEL_VERSION_MAJOR.VEL_VERSION_MINOR.VEL_VERSION_PATCH.VEL_VERSION_BUILD)
#define VEL_VERSION_NUMBERS VEL_VERSION_MAJOR, VEL_VERSION_MINOR, VEL_VERSION_PATCH, VEL_VERSION_BUILD
