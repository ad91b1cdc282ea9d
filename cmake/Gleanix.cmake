# Helpers shared by every CMakeLists of the project.

# At file scope: the module keeps the path of its discovery script in a
# variable that a function scope would lose.
include(GoogleTest)

# Every target of our own: warnings as errors, string literals in CP932.
# Third-party code (GoogleTest) is built without these. Note: with
# -fexec-charset=CP932, libstdc++'s <chrono> does not compile in C++20 mode
# (its "\u00b5s" suffix has no CP932 form); use <ctime> or <thread> instead.
function(gleanix_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -fexec-charset=CP932)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 at -O2/-O3 reports -Wrestrict for plain string concatenation such
    # as "x" + std::string (a known false positive of that release).
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# gleanix_executable(<name> <sources>... [DEPS <targets>...])
function(gleanix_executable name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  gleanix_target_options(${name})
endfunction()

# gleanix_library(<name> [DEPS <targets>...] [SOURCES <files>...])
# Builds the static library gleanix_<name> from every .cpp in the calling
# directory (plus SOURCES); its headers are included as "<layer>/<file>.h".
function(gleanix_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(gleanix_${name} STATIC ${sources} ${ARG_SOURCES})
  target_include_directories(gleanix_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(gleanix_${name} PUBLIC ${ARG_DEPS})
  gleanix_target_options(gleanix_${name})
endfunction()

function(gleanix_find_gtest)
  if(WIN32)
    # Debian's googletest sources, built with the cross compiler.
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endfunction()

# gleanix_test(<name> DEPS <targets>...)
# Builds test_<name> from every .cpp in the calling directory. Natively each
# test case becomes its own CTest test; under Wine each executable is one
# test, because every Wine process start costs about a second.
# WINDOWS: the test shows windows. Under Wine all of them share one X
# display and Wine server per run, so they take turns (one resource lock).
function(gleanix_test name)
  cmake_parse_arguments(ARG "WINDOWS" "" "DEPS;SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${sources} ${ARG_SOURCES})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest_main)
  gleanix_target_options(test_${name})
  target_compile_definitions(test_${name} PRIVATE
    GLEANIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}" GLEANIX_BINARY_DIR="${PROJECT_BINARY_DIR}")
  if(WIN32)
    add_test(NAME test_${name} COMMAND test_${name})
    if(ARG_WINDOWS)
      set_tests_properties(test_${name} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
  else()
    gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
