# korva_add_parts([ALL] <folder>...): adds the named subfolders of the current
# folder (tests/, bench/ and fuzz/ keep one per area), skipping the chart
# engine's and the component's folders when Qt is not built, unless called
# with ALL (the fuzz targets of those folders need no Qt). Every folder is
# named, as every source file is: nothing joins the build unlisted.
function(korva_add_parts)
  cmake_parse_arguments(P "ALL" "" "" ${ARGN})
  foreach(part_name ${P_UNPARSED_ARGUMENTS})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${part_name}/CMakeLists.txt)
      message(FATAL_ERROR "korva_add_parts: no ${part_name}/CMakeLists.txt in ${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
    if(NOT P_ALL AND part_name MATCHES "^(plotengine|chartserver)$" AND NOT KORVA_BUILD_GUI)
      continue()
    endif()
    add_subdirectory(${part_name})
  endforeach()
endfunction()
