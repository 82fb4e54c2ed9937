# korva_add_parts(): adds every subfolder of the current folder that has a
# CMakeLists.txt (tests/, bench/ and fuzz/ keep one per area), skipping the
# chart engine's and the component's folders when Qt is not built, unless
# called with ALL (the fuzz targets of those folders need no Qt).
function(korva_add_parts)
  cmake_parse_arguments(P "ALL" "" "" ${ARGN})
  file(GLOB parts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(part ${parts})
    get_filename_component(part_dir ${part} DIRECTORY)
    get_filename_component(part_name ${part_dir} NAME)
    if(NOT P_ALL AND part_name MATCHES "^(plotengine|chartserver)$" AND NOT KORVA_BUILD_GUI)
      continue()
    endif()
    add_subdirectory(${part_dir})
  endforeach()
endfunction()
