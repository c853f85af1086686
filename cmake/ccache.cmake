# Compiles through ccache when it is installed, with a cache that outlives the checkout:
# a fresh clone in another folder, or the next CI run on the same machine, finds the objects
# of the last one. Keyed for that:
#  - base_dir = the checkout: ccache hands the compiler paths relative to it, so neither the
#    key nor the object holds the clone's folder;
#  - hash_dir = false: the key leaves out the working directory that -g would otherwise
#    add; the price is that the debug information names the folder of the first compile;
#  - no sloppiness: nothing here uses __DATE__/__TIME__ or precompiled headers.
# CCACHE_DIR and CCACHE_BASEDIR in the environment at configure time win (several
# checkouts below one folder can share a cache that way). -DVEL_CCACHE=OFF turns it off;
# a launcher given on the command line is left alone. The resource compiler has no
# launcher in CMake: windres is never cached.
option(VEL_CCACHE "Compile through ccache when it is installed" ON)
if(VEL_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(VEL_CCACHE_PROGRAM ccache)
  if(VEL_CCACHE_PROGRAM)
    if(DEFINED ENV{CCACHE_DIR})
      set(_vel_ccache_dir "$ENV{CCACHE_DIR}")
    else()
      set(_vel_ccache_dir "$ENV{HOME}/.cache/velpanel-ccache")
    endif()
    if(DEFINED ENV{CCACHE_BASEDIR})
      set(_vel_ccache_base "$ENV{CCACHE_BASEDIR}")
    else()
      set(_vel_ccache_base "${CMAKE_SOURCE_DIR}")
    endif()
    set(_vel_launcher ${CMAKE_COMMAND} -E env CCACHE_DIR=${_vel_ccache_dir} CCACHE_BASEDIR=${_vel_ccache_base}
                      CCACHE_NOHASHDIR=1 ${VEL_CCACHE_PROGRAM})
    set(CMAKE_C_COMPILER_LAUNCHER ${_vel_launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${_vel_launcher})
  endif()
endif()
