# Helpers shared by every folder's CMakeLists.txt.

option(LUMVEX_WERROR "Treat warnings on our own code as errors (CI)" OFF)

# Strict warnings on our own code only.
function(lumvex_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
    -Wimplicit-fallthrough -Werror=return-type -Werror=format-security)
  if(LUMVEX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# lumvex_library(name SOURCES ... LINKS ...): a core library; headers are
# included as "folder/header.h" from the source root.
function(lumvex_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  lumvex_warnings(${name})
endfunction()

# lumvex_test(name SOURCES ... LINKS ...): a GoogleTest binary registered with ctest.
function(lumvex_test name)
  if(NOT LUMVEX_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  lumvex_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
