# cmake -DSOURCE_DIR=<tree> -P CheckBuildLists.cmake
# The build names every source file and every folder it builds in a
# CMakeLists.txt; nothing is picked up by a pattern. This check fails, naming
# the file, when a source file (.cpp, .c) is named by no CMakeLists.txt of its
# folder or a folder above it, or when a folder's CMakeLists.txt is not named
# by the one of the folder above: such a file would silently stay out of the
# build (a test that never runs, a class that never links).
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<tree> -P CheckBuildLists.cmake")
endif()

# The folders of the tree, without build trees and hidden folders.
file(GLOB tops RELATIVE ${SOURCE_DIR} LIST_DIRECTORIES true ${SOURCE_DIR}/*)
set(sources)
set(lists)
foreach(top ${tops})
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/${top} OR top MATCHES "^(build|\\.)")
    continue()
  endif()
  file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${top}/*.cpp
       ${SOURCE_DIR}/${top}/*.c)
  list(APPEND sources ${found})
  file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${top}/CMakeLists.txt)
  list(APPEND lists ${found})
endforeach()

# Whether the CMakeLists.txt of folder (relative, "" for the top) or of a
# folder above it names path (relative to the tree) by its path from there.
function(named_above folder path result)
  set(${result} FALSE PARENT_SCOPE)
  while(TRUE)
    if(folder STREQUAL "")
      set(list_file ${SOURCE_DIR}/CMakeLists.txt)
      set(rest ${path})
    else()
      set(list_file ${SOURCE_DIR}/${folder}/CMakeLists.txt)
      string(LENGTH "${folder}/" skip)
      string(SUBSTRING ${path} ${skip} -1 rest)
    endif()
    if(EXISTS ${list_file})
      file(READ ${list_file} text)
      # The whole name: "main.cpp" is not named by "othermain.cpp".
      string(REGEX REPLACE "([][.*+?^$(){}|\\])" "\\\\\\1" pattern "${rest}")
      string(REGEX MATCH "(^|[ \t\n(/])${pattern}([ \t\n)]|$)" hit "${text}")
      if(hit)
        set(${result} TRUE PARENT_SCOPE)
        return()
      endif()
    endif()
    if(folder STREQUAL "")
      return()
    endif()
    get_filename_component(folder ${folder} DIRECTORY)
  endwhile()
endfunction()

set(missing)
foreach(source ${sources})
  get_filename_component(folder ${source} DIRECTORY)
  named_above("${folder}" ${source} named)
  if(NOT named)
    list(APPEND missing "${source}: no CMakeLists.txt names it")
  endif()
endforeach()
foreach(list_file ${lists})
  get_filename_component(folder ${list_file} DIRECTORY)
  if(folder STREQUAL "")
    continue()
  endif()
  get_filename_component(parent ${folder} DIRECTORY)
  named_above("${parent}" ${folder} named)
  if(NOT named)
    list(APPEND missing "${folder}/: the folder above does not add it")
  endif()
endforeach()

if(missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "Left out of the build:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} source files, each named in a CMakeLists.txt")
