# Includes run downward only. The floors below, bottom to top: a folder of src/ includes the
# folders of its own floor and of the floors under it, never one above. On a floor of several
# folders no two of them include each other both ways. Both forms are checked, "dir/x.h" and
# <dir/x.h> (src/ is a public include folder, so the second form reaches the tree too). Run as
#   cmake -DSRC=<a src folder> -P check_includes.cmake
# It names every include that breaks the order and fails when there is one.
cmake_policy(SET CMP0057 NEW)
if(SRC)
  get_filename_component(SRC "${SRC}" ABSOLUTE)
endif()
if(NOT SRC)
  message(FATAL_ERROR "check_includes: SRC is not set")
endif()

# One line a floor, bottom first.
set(floors
  "runtime"
  "core"
  "plot"
  "output"
  "datafiles"
  "stats fitting editing transforms respirometry rhythm calculators thermoreg"
  "scripts"
  "app")

# Includes that still break the order, each "from-folder/file: to-folder" with its reason.
# The goal is an empty list.
set(exceptions "")

set(index 0)
foreach(floor ${floors})
  string(REPLACE " " ";" folders "${floor}")
  foreach(folder ${folders})
    set(floor_of_${folder} ${index})
  endforeach()
  math(EXPR index "${index} + 1")
endforeach()

set(broken "")
set(edges "")
file(GLOB folders RELATIVE "${SRC}" "${SRC}/*")
foreach(folder ${folders})
  if(NOT IS_DIRECTORY "${SRC}/${folder}")
    continue()
  endif()
  if(NOT DEFINED floor_of_${folder})
    list(APPEND broken "${folder}/: a folder the layer table does not name")
    continue()
  endif()
  file(GLOB_RECURSE sources "${SRC}/${folder}/*.cpp" "${SRC}/${folder}/*.h")
  foreach(source ${sources})
    file(RELATIVE_PATH rel "${SRC}" "${source}")
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">/]+/")
    foreach(line ${lines})
      string(REGEX MATCH "[\"<]([^\">/]+)/" _ "${line}")
      set(target "${CMAKE_MATCH_1}")
      if(target STREQUAL folder OR NOT DEFINED floor_of_${target})
        continue()  # its own folder, or a library's (<QtCore/...>, <gtest/...>)
      endif()
      string(STRIP "${line}" line)
      if("${rel}: ${target}" IN_LIST exceptions)
        continue()
      endif()
      if(floor_of_${target} GREATER floor_of_${folder})
        list(APPEND broken "${rel}: ${line} (${folder} is below ${target})")
      elseif(floor_of_${target} EQUAL floor_of_${folder})
        list(APPEND edges "${folder}>${target}")
        set(first_${folder}_${target} "${rel}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

# Two folders of one floor that include each other: both directions are named.
list(REMOVE_DUPLICATES edges)
foreach(edge ${edges})
  string(REPLACE ">" ";" pair "${edge}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  if("${to}>${from}" IN_LIST edges AND from STRLESS to)
    list(APPEND broken "${first_${from}_${to}} and ${first_${to}_${from}} (${from} and ${to} include each other)")
  endif()
endforeach()

if(broken)
  list(JOIN broken "\n  " text)
  message(FATAL_ERROR "Includes against the layer order (bottom to top: runtime; core; plot; output; datafiles; "
                      "stats fitting editing transforms respirometry rhythm calculators thermoreg; scripts; app):\n  ${text}")
endif()
