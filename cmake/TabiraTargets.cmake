# Helpers shared by every subsystem's CMakeLists.txt.
#
# Conventions:
#   <subsystem>/*.h, *.cpp          platform-free code (no <windows.h>), built in every build
#   <subsystem>/win32/              Win32 code, built only in the Windows build
#   <subsystem>/tests/              native unit tests (GoogleTest)
#   <subsystem>/win32/tests/        tests that need real windows; run under Wine
#   <subsystem>/fuzz/               libFuzzer targets
#   <subsystem>/bench/              Google Benchmark programs

include_guard(GLOBAL)

set(TABIRA_WARNINGS -Wall -Wextra -Wno-unused-parameter)

if(TABIRA_SANITIZE AND NOT TABIRA_WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TABIRA_WIN32)
  # Link the C and C++ runtimes statically: tabira.exe ships alone.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  if(NOT TARGET gtest_main)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # The test framework gains nothing from link-time optimisation, and its symbol
    # visibility attributes only draw warnings there.
    set_target_properties(gtest gtest_main gmock gmock_main PROPERTIES INTERPROCEDURAL_OPTIMIZATION OFF)
  endif()
  set(TABIRA_GTEST_MAIN gtest_main)
  set(TABIRA_GMOCK gmock)
elseif(NOT TABIRA_FUZZ)
  find_package(GTest REQUIRED)
  set(TABIRA_GTEST_MAIN GTest::gtest_main)
  set(TABIRA_GMOCK GTest::gmock)
endif()

if(TABIRA_BENCH AND NOT TABIRA_WIN32)
  find_package(benchmark REQUIRED)
endif()

# tabira_library(<name> SOURCES ... [LIBS ...]) - a static library built in every build.
function(tabira_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TABIRA_WARNINGS})
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
endfunction()

# tabira_win32_library(<name> SOURCES ... [LIBS ...]) - Windows build only.
function(tabira_win32_library name)
  if(TABIRA_WIN32)
    tabira_library(${name} ${ARGN})
  endif()
endfunction()

# tabira_native_test(<name> SOURCES ... [LIBS ...]) - a GoogleTest executable run natively.
function(tabira_native_test name)
  if(TABIRA_WIN32 OR TABIRA_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TABIRA_WARNINGS})
  target_link_libraries(${name} PRIVATE ${A_LIBS} ${TABIRA_GTEST_MAIN} ${TABIRA_GMOCK})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()

# tabira_win32_test(<name> SOURCES ... [LIBS ...] [ENV ...] [ARGS ...]) - a GoogleTest
# executable run under Wine (the toolchain sets the emulator). One ctest entry per
# executable: each entry costs one Wine start.
function(tabira_win32_test name)
  if(NOT TABIRA_WIN32)
    return()
  endif()
  cmake_parse_arguments(A "BOTH_LOOKS" "TEST_NAME" "SOURCES;LIBS;ENV;ARGS" ${ARGN})
  if(NOT TARGET ${name})
    add_executable(${name} ${A_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${TABIRA_WARNINGS})
    target_link_libraries(${name} PRIVATE ${A_LIBS} ${TABIRA_GTEST_MAIN} ${TABIRA_GMOCK})
  endif()
  if(NOT A_TEST_NAME)
    set(A_TEST_NAME ${name})
  endif()
  # BOTH_LOOKS: run once with the visual style active and once with it off (TestLook.h).
  if(A_BOTH_LOOKS)
    set(looks themed classic)
  else()
    set(looks "")
  endif()
  foreach(look IN LISTS looks ITEMS "")
    if(A_BOTH_LOOKS AND look STREQUAL "")
      continue()
    endif()
    set(test_name ${A_TEST_NAME})
    set(test_env ${A_ENV})
    if(look)
      set(test_name ${A_TEST_NAME}_${look})
      list(APPEND test_env "TABIRA_LOOK=${look}")
    endif()
    add_test(NAME ${test_name} COMMAND ${name} --gtest_brief=1 ${A_ARGS})
    set_tests_properties(${test_name} PROPERTIES TIMEOUT 120 LABELS wine)
    if(test_env)
      set_tests_properties(${test_name} PROPERTIES ENVIRONMENT "${test_env}")
    endif()
  endforeach()
endfunction()

# tabira_fuzzer(<name> SOURCES ... [LIBS ...] [SECONDS n] [DICT file]) - a libFuzzer target;
# the fuzz build runs each one briefly as a test (longer runs by hand: see README). DICT
# names a dictionary of the input's tokens, for inputs with a grammar.
function(tabira_fuzzer name)
  if(NOT TABIRA_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "SECONDS;DICT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_SECONDS)
    set(A_SECONDS 10)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set(dict)
  if(A_DICT)
    set(dict -dict=${CMAKE_CURRENT_SOURCE_DIR}/${A_DICT})
  endif()
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${A_SECONDS} -rss_limit_mb=2048 -print_final_stats=0 ${dict})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS fuzz)
endfunction()

# tabira_benchmark(<name> SOURCES ... [LIBS ...]) - Google Benchmark program (native only).
function(tabira_benchmark name)
  if(NOT TABIRA_BENCH OR TABIRA_WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} benchmark::benchmark)
endfunction()
