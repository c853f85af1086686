# The -posix compilers: the win32 thread model has no std::thread.
set(CMAKE_C_COMPILER ${VEL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEL_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and test discovery run the Windows binaries under Wine, started through
# without-aslr.sh: without it, one start in a few thousand ends at once with
# status 1 and no output (the script says why).
# Debian keeps both loaders out of PATH. Its "wine" script falls back to the
# 64-bit loader when 32-bit Wine (wine32:i386) is missing, which cannot run an
# i686 program: the i686 build names the 32-bit loader itself.
if(VEL_TRIPLE MATCHES "^x86_64")
  find_program(VEL_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/without-aslr.sh ${VEL_WINE64})
else()
  find_program(VEL_WINE32 NAMES wine PATHS /usr/lib/wine /usr/lib32/wine NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT VEL_WINE32)
    set(VEL_WINE32 wine)
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/without-aslr.sh ${VEL_WINE32})
endif()
