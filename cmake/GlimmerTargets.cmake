# Layers, bottom to top: framework and foundation, then platform, imaging, gui,
# skins, viewer. Each layer is one library that links only the layers it names
# as BELOW (and through them theirs); nothing links a layer above it, so a call
# up the stack fails to link, and glimmer_check_layers fails the build on an
# include of a higher layer's header.
#
#   glimmer_layer(imaging BELOW platform USES glimmer_thirdparty)
function(glimmer_layer name)
  cmake_parse_arguments(L "" "" "BELOW;USES" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${name}/*.cpp" "${CMAKE_SOURCE_DIR}/${name}/*.c")
  # The program's entry point lives in viewer/main and is not part of a library.
  list(FILTER srcs EXCLUDE REGEX "/${name}/main/")
  set(links ${L_USES} glimmer_syslibs)
  set(sees ${name})
  foreach(lower ${L_BELOW})
    list(PREPEND links glimmer_${lower})
    get_property(lower_sees GLOBAL PROPERTY GLIMMER_SEES_${lower})
    list(APPEND sees ${lower_sees})
  endforeach()
  list(REMOVE_DUPLICATES sees)
  set_property(GLOBAL PROPERTY GLIMMER_SEES_${name} "${sees}")
  set_property(GLOBAL APPEND PROPERTY GLIMMER_LAYERS ${name})
  if(srcs)
    add_library(glimmer_${name} STATIC ${srcs})
    target_include_directories(glimmer_${name} PUBLIC "${CMAKE_SOURCE_DIR}")
    target_link_libraries(glimmer_${name} PUBLIC ${links})
    add_dependencies(glimmer_${name} glimmer_check_layers)
  else()
    # No code yet: the layer only passes on the ones below.
    add_library(glimmer_${name} INTERFACE)
    target_include_directories(glimmer_${name} INTERFACE "${CMAKE_SOURCE_DIR}")
    target_link_libraries(glimmer_${name} INTERFACE ${links})
  endif()
endfunction()

# The include rule, checked at every build: a file of a layer (or of the tests of
# a layer, tests/<layer>/) includes only headers of its own layer and of those it
# links. Call after the last glimmer_layer.
function(glimmer_check_layers)
  get_property(layers GLOBAL PROPERTY GLIMMER_LAYERS)
  set(rules)
  foreach(layer ${layers})
    get_property(sees GLOBAL PROPERTY GLIMMER_SEES_${layer})
    list(JOIN sees "," sees)
    list(APPEND rules "${layer}=${sees}")
  endforeach()
  list(JOIN layers "," all)
  list(JOIN rules "/" rules)
  set(script "${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake")
  add_custom_target(glimmer_check_layers ALL
    COMMAND "${CMAKE_COMMAND}" "-DROOT=${CMAKE_SOURCE_DIR}" "-DLAYERS=${all}" "-DRULES=${rules}" -P "${script}"
    COMMENT "Checking that includes point down the layers"
    VERBATIM)
  add_test(NAME Layering.IncludesPointDown
    COMMAND "${CMAKE_COMMAND}" "-DROOT=${CMAKE_SOURCE_DIR}" "-DLAYERS=${all}" "-DRULES=${rules}" -P "${script}")
  add_test(NAME Layering.UpwardIncludeIsCaught
    COMMAND "${CMAKE_COMMAND}" "-DWORK=${CMAKE_BINARY_DIR}/layer-check-fixture" "-DCHECK=${script}"
            -P "${CMAKE_SOURCE_DIR}/cmake/CheckLayersTest.cmake")
endfunction()

# Links a program or test to a layer (and so to every layer below it).
function(glimmer_link_layer target layer)
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
  target_link_libraries(${target} PRIVATE glimmer_${layer})
endfunction()

# Every test and the program carry the Common Controls 6 manifest.
set(GLIMMER_TEST_RC "${CMAKE_SOURCE_DIR}/tests/TestResources.rc")

# Tests: one GoogleTest executable per area. tests/<layer>/<area>/*.cpp makes
# test_<layer>_<area>; files directly in tests/<layer>/ make test_<layer>.
function(glimmer_test_suite layer)
  file(GLOB direct CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${layer}/*.cpp")
  if(direct)
    glimmer_test_exe(test_${layer} ${layer} ${direct})
  endif()
  file(GLOB areas LIST_DIRECTORIES true "${CMAKE_SOURCE_DIR}/tests/${layer}/*")
  foreach(dir ${areas})
    if(IS_DIRECTORY "${dir}")
      get_filename_component(area "${dir}" NAME)
      file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${dir}/*.cpp")
      if(srcs)
        glimmer_test_exe(test_${layer}_${area} ${layer} ${srcs})
      endif()
    endif()
  endforeach()
endfunction()

# A test executable of a layer's tests, linked to that layer alone.
function(glimmer_test_exe name layer)
  file(GLOB support CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/support/*.cpp")
  add_executable(${name} ${ARGN} ${support} "${CMAKE_SOURCE_DIR}/tests/TestMain.cpp" "${GLIMMER_TEST_RC}")
  glimmer_link_layer(${name} ${layer})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE gtest gmock)
  # The viewer's tests read the program's own resources (icons, language pack, pictures)
  # from the built Glimmer.exe.
  if(layer STREQUAL "viewer" AND TARGET glimmer)
    add_dependencies(${name} glimmer)
  endif()
  target_compile_definitions(${name} PRIVATE
    GLIMMER_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    GLIMMER_BINARY_DIR="${CMAKE_BINARY_DIR}"
    GLIMMER_DEPS_PREFIX="${GLIMMER_DEPS_PREFIX}")
  # The pointer is one for the whole display: tests that move it, send input, or feed a
  # window pointer messages it may answer by taking the capture (and so seeing the real
  # pointer move) run one at a time (found in the sources when the build is configured).
  # The clipboard is one for the session as well: tests that fill it share the same lock.
  # Tests that run the program itself (tests/e2e/) share its one settings key. A test takes one lock only: a list of locks does not survive the discovery.
  set(props TIMEOUT 180)
  foreach(src ${ARGN})
    file(STRINGS "${src}" input REGEX "SendInput|SetCursorPos|mouse_event|keybd_event|WM_NCMOUSEMOVE|WM_MOUSEMOVE|SetClipboardData|copyToClipboard")
    if(input)
      list(APPEND props RESOURCE_LOCK pointer)
      break()
    endif()
  endforeach()
  # The program's windows come up top-most over the display, where a pointer test's
  # window would be covered: they take the pointer lock, which also runs them one at a time.
  foreach(src ${ARGN})
    file(STRINGS "${src}" program REGEX "ViewerProcess")
    if(program AND NOT "pointer" IN_LIST props)
      list(APPEND props RESOURCE_LOCK pointer)
      break()
    endif()
  endforeach()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${props})
endfunction()

# The end-to-end tests (tests/e2e/): one executable that starts the built program and
# drives it from outside, built after it.
function(glimmer_e2e_suite)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp")
  if(srcs AND TARGET glimmer)
    glimmer_test_exe(test_e2e viewer ${srcs})
    add_dependencies(test_e2e glimmer)
    target_compile_definitions(test_e2e PRIVATE GLIMMER_EXE="$<TARGET_FILE:glimmer>")
  endif()
endfunction()

function(glimmer_benchmarks)
  file(GLOB benches CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/bench/*.cpp")
  foreach(src ${benches})
    get_filename_component(name "${src}" NAME_WE)
    # The host-tool helper of the tests runs ImageMagick on the host for the benchmarks too.
    add_executable(${name} EXCLUDE_FROM_ALL "${src}" "${CMAKE_SOURCE_DIR}/tests/support/HostTool.cpp")
    glimmer_link_layer(${name} viewer)
    target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
    target_compile_definitions(${name} PRIVATE
      GLIMMER_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      GLIMMER_BINARY_DIR="${CMAKE_BINARY_DIR}"
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
