# Fails on an include against the layer order, so a cycle or a wrong-way include shows here
# before it shows in a link. The layers, lowest first:
#
#   messages, threads, the engine subsystems   what each may include is the USES list of its
#                                              zav_add_core_library in src/<folder>/CMakeLists.txt
#   platform, boardsim                         the engine
#   ports                                      the engine, platform, boardsim
#   widgets                                    the engine
#   ui/<area>                                  the engine, widgets, and the window areas of the
#                                              subsystems its own subsystem's engine reaches
#   cli, and the programs' mains               everything but the windows (zavprog's main: all)
#
# Every folder of src/ must be named here or be an engine subsystem, and no file outside ui/
# and widgets/ may include Qt.
# Run: cmake -DSRC=<repository>/src -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(failures "")

# The engine: its subsystems and what each may use, read from their build lists.
file(GLOB folder_lists "${SRC}/*/CMakeLists.txt")
set(core_folders "")
foreach(list_file IN LISTS folder_lists)
  file(READ "${list_file}" text)
  if(NOT text MATCHES "zav_add_core_library\\(zav_([a-z]+)([^)]*)\\)")
    continue()
  endif()
  set(folder "${CMAKE_MATCH_1}")
  list(APPEND core_folders "${folder}")
  set(uses_${folder} "")
  if(CMAKE_MATCH_2 MATCHES "USES([^)]*)")
    string(REGEX MATCHALL "zav_[a-z]+" uses "${CMAKE_MATCH_1}")
    foreach(use IN LISTS uses)
      string(REPLACE "zav_" "" use "${use}")
      list(APPEND uses_${folder} "${use}")
    endforeach()
  endif()
endforeach()

# What each subsystem reaches through its uses, and a subsystem that reaches itself.
foreach(folder IN LISTS core_folders)
  set(reached "${uses_${folder}}")
  set(pending "${uses_${folder}}")
  while(pending)
    list(POP_FRONT pending next)
    foreach(use IN LISTS uses_${next})
      if(NOT use IN_LIST reached)
        list(APPEND reached "${use}")
        list(APPEND pending "${use}")
      endif()
    endforeach()
  endwhile()
  set(reaches_${folder} "${reached}")
  if(folder IN_LIST reached)
    string(APPEND failures "\n  ${folder} reaches itself through its uses")
  endif()
endforeach()

# The layers above the engine.
set(allowed_platform ${core_folders} platform)
set(allowed_boardsim ${core_folders} boardsim)
set(allowed_ports ${core_folders} platform boardsim ports)
set(allowed_widgets ${core_folders} widgets)
set(allowed_cli ${core_folders} platform boardsim ports cli)
set(layers_above_core platform boardsim ports widgets cli)

# check_includes(SOURCE WHERE ALLOWED...): every project include of SOURCE names an allowed
# folder ("buffer", "ui/buffer", "widgets"); Qt only where windows are.
function(check_includes source where)
  file(STRINGS "${source}" includes REGEX "^#include [\"<]")
  foreach(line IN LISTS includes)
    if(line MATCHES "^#include <Q" AND NOT where MATCHES "^(ui/|widgets$|program$)")
      string(APPEND failures "\n  ${source}: ${where} may not include Qt")
      continue()
    endif()
    if(NOT line MATCHES "^#include \"([a-z_]+)/")
      continue()
    endif()
    set(target "${CMAKE_MATCH_1}")
    if(line MATCHES "^#include \"ui/([a-z_]+)/")
      set(target "ui/${CMAKE_MATCH_1}")
    endif()
    if(NOT target IN_LIST ARGN)
      string(APPEND failures "\n  ${source}: ${where} may not include ${target}/")
    endif()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

# Every folder of src/ has its place.
file(GLOB entries RELATIVE "${SRC}" "${SRC}/*")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${SRC}/${entry}" AND NOT entry IN_LIST core_folders
     AND NOT entry IN_LIST layers_above_core AND NOT entry STREQUAL "ui")
    string(APPEND failures "\n  src/${entry}/ has no place in the layer order")
  endif()
endforeach()

foreach(folder IN LISTS core_folders)
  file(GLOB_RECURSE sources "${SRC}/${folder}/*.h" "${SRC}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    check_includes("${source}" "${folder}" ${folder} ${uses_${folder}})
  endforeach()
endforeach()

foreach(layer IN LISTS layers_above_core)
  file(GLOB_RECURSE sources "${SRC}/${layer}/*.h" "${SRC}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    check_includes("${source}" "${layer}" ${allowed_${layer}})
  endforeach()
endforeach()

# The window areas. A program's main (an add_executable source) puts the layers together and
# may include any of them.
file(GLOB areas RELATIVE "${SRC}/ui" "${SRC}/ui/*")
foreach(area IN LISTS areas)
  if(NOT IS_DIRECTORY "${SRC}/ui/${area}")
    continue()
  endif()
  if(NOT area IN_LIST core_folders)
    string(APPEND failures "\n  src/ui/${area}/ is not the window area of an engine subsystem")
    continue()
  endif()
  set(allowed ${core_folders} widgets "ui/${area}")
  foreach(use IN LISTS reaches_${area})
    list(APPEND allowed "ui/${use}")
  endforeach()
  set(mains "")
  if(EXISTS "${SRC}/ui/${area}/CMakeLists.txt")
    file(STRINGS "${SRC}/ui/${area}/CMakeLists.txt" executables REGEX "^add_executable\\(")
    foreach(line IN LISTS executables)
      string(REGEX MATCHALL "[a-z_0-9/]+\\.cpp" names "${line}")
      foreach(name IN LISTS names)
        list(APPEND mains "${SRC}/ui/${area}/${name}")
      endforeach()
    endforeach()
  endif()
  file(GLOB_RECURSE sources "${SRC}/ui/${area}/*.h" "${SRC}/ui/${area}/*.cpp")
  foreach(source IN LISTS sources)
    if(source IN_LIST mains)
      check_includes("${source}" "program" ${allowed_cli} widgets ui/${area} ${allowed})
    else()
      check_includes("${source}" "ui/${area}" ${allowed})
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Include against the layer order:${failures}")
endif()
