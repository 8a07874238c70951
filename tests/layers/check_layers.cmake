# Fails on an include against the layer order, so a cycle or a wrong-way include shows here
# before it shows in a link. The USES list of zav_add_core_library in src/<folder>/CMakeLists.txt
# is what a core subsystem may include. A window folder (src/<folder>/ui, the sources it adds to
# zav_ui) may include its own subsystem's core, any core library, the shared widgets and the
# window folders of the subsystems its core may use, directly or through another. The core
# includes no window folder and no widget, and no subsystem may reach itself through its uses.
# Run: cmake -DSRC=<repository>/src -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)
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

set(failures "")

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

# check_includes(SOURCE WHERE ALLOWED...): every project include of SOURCE names an allowed
# folder ("buffer", "buffer/ui", "widgets").
function(check_includes source where)
  file(STRINGS "${source}" includes REGEX "^#include \"[a-z_]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
    if(line MATCHES "^#include \"[a-z_]+/ui/")
      string(APPEND target "/ui")
    endif()
    if(NOT target IN_LIST ARGN)
      set(failures "${failures}\n  ${source}: ${where} may not include ${target}/" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

foreach(folder IN LISTS core_folders)
  file(GLOB sources "${SRC}/${folder}/*.h" "${SRC}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    check_includes("${source}" "${folder}" ${folder} ${uses_${folder}})
  endforeach()

  # The window folder: the headers and the sources it gives zav_ui (not a program's main,
  # which puts the libraries above the core together).
  if(NOT EXISTS "${SRC}/${folder}/ui/CMakeLists.txt")
    continue()
  endif()
  set(allowed ${core_folders} widgets "${folder}/ui")
  foreach(use IN LISTS reaches_${folder})
    list(APPEND allowed "${use}/ui")
  endforeach()
  file(READ "${SRC}/${folder}/ui/CMakeLists.txt" text)
  string(REGEX MATCH "target_sources\\(zav_ui PRIVATE([^)]*)\\)" ui_sources "${text}")
  string(REGEX MATCHALL "[a-z_0-9]+\\.cpp" ui_sources "${CMAKE_MATCH_1}")
  file(GLOB sources "${SRC}/${folder}/ui/*.h")
  foreach(name IN LISTS ui_sources)
    list(APPEND sources "${SRC}/${folder}/ui/${name}")
  endforeach()
  foreach(source IN LISTS sources)
    check_includes("${source}" "${folder}/ui" ${allowed})
  endforeach()
endforeach()

# The shared widgets sit below every window folder.
file(GLOB sources "${SRC}/widgets/*.h" "${SRC}/widgets/*.cpp")
foreach(source IN LISTS sources)
  check_includes("${source}" "widgets" ${core_folders} widgets)
endforeach()

if(failures)
  message(FATAL_ERROR "Include against the layer order:${failures}")
endif()
