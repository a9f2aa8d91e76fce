# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix) and runs
# the results under Wine:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
# The posix thread variant is needed: GoogleTest does not build with the win32 one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZV_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZV_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime, so the programs need no MinGW DLLs beside them, under Wine or on a user's machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and GoogleTest's discovery run the programs through Wine.
find_program(ZV_WINE NAMES wine wine64 wine-stable)
if(ZV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZV_WINE})
endif()

# Google Benchmark is installed for the build machine only, and no Qt for Windows is here.
set(ZV_BUILD_BENCHMARKS OFF CACHE BOOL "Build the Google Benchmark programs")
set(ZV_BUILD_GUI OFF CACHE BOOL "Build the windows and the program (needs Qt 6)")
