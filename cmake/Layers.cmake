# The layers are held by the build: each library sees its own headers and those of the
# libraries it links, nothing else. zv_expose_headers(TARGET FOLDER...) makes TARGET's folders
# reachable as <FOLDER>/... to TARGET and to whatever links it, through a folder of links in the
# build tree: the core cannot include ui/ or app/, nor the windows app/, because for them those
# paths do not exist.
function(zv_expose_headers target)
  set(exposed ${CMAKE_BINARY_DIR}/layers/${target})
  file(MAKE_DIRECTORY ${exposed})
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS ${exposed}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${exposed}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC ${exposed})
endfunction()
