# GoogleTest for every build: Debian's packaged library natively, its sources
# compiled with the cross compiler for the Windows builds (run under Wine).
if(NOT QV_BUILD_TESTS)
  return()
endif()

enable_testing()

if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  # googletest 1.12 and later define these aliases themselves.
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# qv_add_test(NAME name SOURCES ... [LIBS ...]): one GoogleTest program, one CTest test.
# Cross builds run it through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
function(qv_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(CMAKE_CROSSCOMPILING)
    # Wine's tests share one desktop, one pointer and one keyboard focus: a test that
    # moves the real mouse must not run beside another that does.
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
endfunction()
