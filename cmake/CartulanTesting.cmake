# Test helpers for both trees.
#
# cartulan_gtest(NAME SOURCES... LIBS libs...) builds a GoogleTest program and registers it.
# Natively it links the system's GoogleTest; in the Windows tree it links GoogleTest built
# from the Debian sources with the cross compiler, and runs under Wine through the emulator.

if(WIN32)
    set(CARTULAN_GTEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")
    add_library(cartulan_gtest_win STATIC
        ${CARTULAN_GTEST_SOURCE_DIR}/src/gtest-all.cc)
    target_include_directories(cartulan_gtest_win SYSTEM PUBLIC
        ${CARTULAN_GTEST_SOURCE_DIR}/include
        PRIVATE ${CARTULAN_GTEST_SOURCE_DIR})
    target_compile_options(cartulan_gtest_win PRIVATE -w)
    add_library(cartulan_gtest_win_main STATIC ${CARTULAN_GTEST_SOURCE_DIR}/src/gtest_main.cc)
    target_link_libraries(cartulan_gtest_win_main PUBLIC cartulan_gtest_win)
    target_compile_options(cartulan_gtest_win_main PRIVATE -w)
    add_library(Cartulan::gtest ALIAS cartulan_gtest_win)
    add_library(Cartulan::gtest_main ALIAS cartulan_gtest_win_main)
else()
    find_package(GTest REQUIRED)
    add_library(Cartulan::gtest ALIAS GTest::gtest)
    add_library(Cartulan::gtest_main ALIAS GTest::gtest_main)
endif()

option(CARTULAN_TESTS "Build the unit tests" ON)

function(cartulan_gtest name)
    if(NOT CARTULAN_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Cartulan::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(WIN32)
        # Windows test programs run under Wine on the shared bench (see scripts/wine-bench).
        # One CTest run covers both trees, so the Wine runs carry their own names. They run in
        # the deliverables' folder, where Windows finds the libraries a program links, and one
        # at a time: windows of one test would take the keyboard focus from another's.
        add_test(NAME ${name}_wine COMMAND ${name})
        set_tests_properties(${name}_wine PROPERTIES FIXTURES_REQUIRED wine_bench TIMEOUT 300
                             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                             RESOURCE_LOCK wine_desktop)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
endfunction()

if(WIN32)
    add_test(NAME wine_bench_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-bench start)
    add_test(NAME wine_bench_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-bench stop)
    set_tests_properties(wine_bench_start PROPERTIES FIXTURES_SETUP wine_bench TIMEOUT 300)
    set_tests_properties(wine_bench_stop PROPERTIES FIXTURES_CLEANUP wine_bench TIMEOUT 120)
endif()

# Benchmarks (Google Benchmark) build only in the bench tree (`make bench`: optimised, no
# sanitizers); fuzz targets (libFuzzer) only in the fuzz tree (`make fuzz`, clang). Both trees
# leave out the unit tests.
option(CARTULAN_BENCH "Build the benchmarks" OFF)
option(CARTULAN_FUZZ "Build the fuzz targets" OFF)
set(CARTULAN_FUZZ_SMOKE_SECONDS 10 CACHE STRING "How long `make test` runs each fuzz target")

function(cartulan_benchmark name)
    if(NOT CARTULAN_BENCH)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
endfunction()

# cartulan_fuzzer(NAME SOURCES... LIBS... [CORPUS dir]) builds a libFuzzer target and a short
# smoke test of it; `make fuzz` runs every target for longer.
function(cartulan_fuzzer name)
    if(NOT CARTULAN_FUZZ)
        return()
    endif()
    cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
    set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
    file(MAKE_DIRECTORY ${corpus})
    set(seeds "")
    if(ARG_CORPUS)
        set(seeds ${ARG_CORPUS})
    endif()
    add_test(NAME ${name}_smoke
             COMMAND ${name} -max_total_time=${CARTULAN_FUZZ_SMOKE_SECONDS} -rss_limit_mb=2048
                     ${corpus} ${seeds})
endfunction()
