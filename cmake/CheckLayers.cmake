# cmake -DSOURCE_DIR=<checkout> -P CheckLayers.cmake
# Fails on the first #include that reaches up a layer: app/ may include ui/ and the core, ui/
# includes ui/ and the core, and the core (common/, profiles/, settings/, drives/) includes no Qt
# and nothing of ui/ or app/. Tests, benchmarks and tools sit above everything and are not checked.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<checkout> -P CheckLayers.cmake")
endif()

set(core_folders common profiles settings drives)
# A layer's folders, and what its includes of our own may name.
set(allowed_app "app/|ui/|common/|profiles/|settings/|drives/")
set(allowed_ui "ui/|common/|profiles/|settings/|drives/")
set(allowed_core "common/|profiles/|settings/|drives/")

function(check_file file layer)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
  file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
  foreach(line IN LISTS lines)
    set(bad "")
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(target "${CMAKE_MATCH_1}")
      # Generated form headers (ui_Unit1.h) and headers beside the file carry no folder.
      if(target MATCHES "/" AND NOT target MATCHES "^(${allowed_${layer}})")
        set(bad "${target}")
      endif()
    elseif(layer STREQUAL "core" AND line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>")
      set(bad "<${CMAKE_MATCH_1}> (Qt)")
    endif()
    if(bad)
      message(FATAL_ERROR "${shown}: \"${line}\" includes ${bad}, which the ${layer} layer may not reach")
    endif()
  endforeach()
endfunction()

function(check_folder folder layer)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    check_file("${file}" ${layer})
  endforeach()
  list(LENGTH files count)
  math(EXPR checked "${CHECKED} + ${count}")
  set(CHECKED ${checked} PARENT_SCOPE)
endfunction()

set(CHECKED 0)
check_folder(app app)
check_folder(ui ui)
foreach(folder IN LISTS core_folders)
  check_folder(${folder} core)
endforeach()
message(STATUS "includes run downward in all ${CHECKED} files")
