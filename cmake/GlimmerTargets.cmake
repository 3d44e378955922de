# Every layer's library is linked as one group, so code may call across layers
# in both directions where the design needs it (screen capture returns pictures,
# the resource archive makes icon archives) without caring for link order.
set(GLIMMER_LAYERS "" CACHE INTERNAL "")

function(glimmer_layer name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${name}/*.cpp" "${CMAKE_SOURCE_DIR}/${name}/*.c")
  # The program's entry point lives in viewer/main and is not part of a library.
  list(FILTER srcs EXCLUDE REGEX "/${name}/main/")
  if(srcs)
    add_library(glimmer_${name} STATIC ${srcs})
    target_include_directories(glimmer_${name} PUBLIC "${CMAKE_SOURCE_DIR}")
    target_link_libraries(glimmer_${name} PUBLIC glimmer_thirdparty glimmer_syslibs)
    set(GLIMMER_LAYERS ${GLIMMER_LAYERS} glimmer_${name} CACHE INTERNAL "")
  endif()
endfunction()

# Links the whole library (all layers as one group) into a target.
function(glimmer_link_all target)
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
  if(GLIMMER_LAYERS)
    list(JOIN GLIMMER_LAYERS "," group)
    target_link_libraries(${target} PRIVATE "$<LINK_GROUP:RESCAN,${group}>")
  endif()
  target_link_libraries(${target} PRIVATE glimmer_thirdparty glimmer_syslibs)
endfunction()

# Tests: one GoogleTest executable per area. tests/<layer>/<area>/*.cpp makes
# test_<layer>_<area>; files directly in tests/<layer>/ make test_<layer>.
function(glimmer_test_suite layer)
  file(GLOB direct CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${layer}/*.cpp")
  if(direct)
    glimmer_test_exe(test_${layer} ${direct})
  endif()
  file(GLOB areas LIST_DIRECTORIES true "${CMAKE_SOURCE_DIR}/tests/${layer}/*")
  foreach(dir ${areas})
    if(IS_DIRECTORY "${dir}")
      get_filename_component(area "${dir}" NAME)
      file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${dir}/*.cpp")
      if(srcs)
        glimmer_test_exe(test_${layer}_${area} ${srcs})
      endif()
    endif()
  endforeach()
endfunction()

function(glimmer_test_exe name)
  file(GLOB support CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/support/*.cpp")
  add_executable(${name} ${ARGN} ${support} "${CMAKE_SOURCE_DIR}/tests/TestMain.cpp")
  glimmer_link_all(${name})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE gtest gmock)
  target_compile_definitions(${name} PRIVATE
    GLIMMER_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    GLIMMER_BINARY_DIR="${CMAKE_BINARY_DIR}"
    GLIMMER_DEPS_PREFIX="${GLIMMER_DEPS_PREFIX}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 180)
endfunction()

function(glimmer_benchmarks)
  file(GLOB benches CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/bench/*.cpp")
  foreach(src ${benches})
    get_filename_component(name "${src}" NAME_WE)
    add_executable(${name} EXCLUDE_FROM_ALL "${src}")
    glimmer_link_all(${name})
    target_compile_definitions(${name} PRIVATE
      GLIMMER_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      GLIMMER_DEPS_PREFIX="${GLIMMER_DEPS_PREFIX}")
    if(EXISTS "${GLIMMER_DEPS_PREFIX}/lib/libgif.a")
      target_link_libraries(${name} PRIVATE "${GLIMMER_DEPS_PREFIX}/lib/libgif.a")
      target_compile_definitions(${name} PRIVATE GLIMMER_HAVE_GIFLIB=1)
    endif()
    list(APPEND names ${name})
  endforeach()
  if(names)
    add_custom_target(benchmarks DEPENDS ${names})
  endif()
endfunction()

include(GoogleTest)
