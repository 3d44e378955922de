# Shows that cmake/CheckLayers.cmake catches includes that point up the layers and
# lets those that point down pass. Run with cmake -P:
#   WORK   a scratch folder (emptied)
#   CHECK  the check script
cmake_minimum_required(VERSION 3.24)
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/foundation/Base.h" "#pragma once\n")
file(WRITE "${WORK}/platform/Sys.h" "#pragma once\n#include \"foundation/Base.h\"\n")
file(WRITE "${WORK}/imaging/Pic.cpp" "#include \"platform/Sys.h\"\n#include <windows.h>\n")
set(layers "foundation,platform,imaging")
set(rules "foundation=foundation/platform=platform,foundation/imaging=imaging,platform,foundation")

function(run_check out_rc out_text)
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DROOT=${WORK}" "-DLAYERS=${layers}" "-DRULES=${rules}" -P "${CHECK}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE text)
  set(${out_rc} "${rc}" PARENT_SCOPE)
  set(${out_text} "${text}" PARENT_SCOPE)
endfunction()

run_check(rc text)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "includes that point down were refused:\n${text}")
endif()

# Up from a layer's code, and up from a layer's tests.
file(WRITE "${WORK}/platform/Capture.cpp" "#include \"platform/Sys.h\"\n  #  include \"imaging/Pic.h\"\n")
file(WRITE "${WORK}/tests/foundation/BaseTest.cpp" "#include <gtest/gtest.h>\n#include \"platform/Sys.h\"\n")
run_check(rc text)
if(rc EQUAL 0)
  message(FATAL_ERROR "includes that point up passed:\n${text}")
endif()
foreach(expected "platform/Capture.cpp: #  include \"imaging/Pic.h\"" "tests/foundation/BaseTest.cpp: #include \"platform/Sys.h\"")
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "not named: ${expected}\n${text}")
  endif()
endforeach()
string(FIND "${text}" "Sys.h: #include \"foundation" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "a downward include was named:\n${text}")
endif()
file(REMOVE_RECURSE "${WORK}")
