# Fails when a file of a layer, or of that layer's tests (tests/<layer>/), includes
# a header of a layer it does not link. Run with cmake -P:
#   ROOT    the source tree
#   LAYERS  the layers, comma-separated
#   RULES   per layer what it sees: "platform=platform,foundation,framework/imaging=..."
cmake_minimum_required(VERSION 3.24)
string(REPLACE "," ";" layers "${LAYERS}")
string(REPLACE "/" ";" rules "${RULES}")
foreach(rule IN LISTS rules)
  if(rule MATCHES "^([^=]+)=(.*)$")
    string(REPLACE "," ";" sees_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endif()
endforeach()

set(bad "")
set(count 0)
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE files
    "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.hpp" "${ROOT}/${layer}/*.c" "${ROOT}/${layer}/*.cpp"
    "${ROOT}/tests/${layer}/*.h" "${ROOT}/tests/${layer}/*.cpp")
  foreach(f IN LISTS files)
    math(EXPR count "${count} + 1")
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][A-Za-z_]+/")
    foreach(line IN LISTS lines)
      if(line MATCHES "include[ \t]*[\"<]([A-Za-z_]+)/")
        set(top "${CMAKE_MATCH_1}")
        if(top IN_LIST layers AND NOT top IN_LIST sees_${layer})
          file(RELATIVE_PATH rel "${ROOT}" "${f}")
          string(STRIP "${line}" line)
          string(APPEND bad "  ${rel}: ${line}  (the ${layer} layer may include only ${sees_${layer}})\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(bad)
  string(REPLACE ";" "," bad "${bad}")
  message(FATAL_ERROR "Includes that point up the layers:\n${bad}")
endif()
message(STATUS "Layers: ${count} files include only their own layer and the ones below it")
