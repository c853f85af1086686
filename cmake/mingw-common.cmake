# The -posix compilers: the win32 thread model has no std::thread.
set(CMAKE_C_COMPILER ${VEL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEL_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and test discovery run the Windows binaries under Wine.
# Debian keeps the 64-bit loader out of PATH; plain "wine" prefers the 32-bit
# one, which not every machine can run.
if(VEL_TRIPLE MATCHES "^x86_64")
  find_program(VEL_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEL_WINE64})
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
