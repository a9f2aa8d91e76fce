# One INTERFACE target carries the warning and sanitizer flags; every target links it.
option(ZV_WERROR "Treat warnings as errors (on in CI)" OFF)
option(ZV_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZV_BUILD_TESTS "Build the test programs" ON)
option(ZV_BUILD_BENCHMARKS "Build the Google Benchmark programs and the running-cost bench (ctest -L bench)" OFF)
option(ZV_BUILD_SOAK "Register the minute-long soak test (ctest -L soak), best in the sanitizer build" OFF)
option(ZV_BUILD_GUI "Build the windows and the program (needs Qt 6)" ON)
option(ZV_BUILD_FUZZERS "Build the libFuzzer targets (clang only)" OFF)

add_library(zv_project_options INTERFACE)

if(MSVC)
  target_compile_options(zv_project_options INTERFACE /W4 $<$<BOOL:${ZV_WERROR}>:/WX>)
else()
  target_compile_options(zv_project_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow
    # GCC 12 reports impossible overlaps in std::string's operator+ at -O2 (GCC bug 105329).
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>
    $<$<BOOL:${ZV_WERROR}>:-Werror>)
endif()

if(ZV_SANITIZE OR ZV_BUILD_FUZZERS)
  set(_zv_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(zv_project_options INTERFACE ${_zv_san})
  target_link_options(zv_project_options INTERFACE ${_zv_san})
endif()

if(ZV_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (CXX=clang++)")
  endif()
  # Instrument the core for coverage; the fuzzer's main is linked into the targets alone.
  target_compile_options(zv_project_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
