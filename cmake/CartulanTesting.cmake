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

function(cartulan_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Cartulan::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    if(WIN32)
        # Windows test programs run under Wine on the shared bench (see scripts/wine-bench).
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_bench TIMEOUT 300)
    endif()
endfunction()

if(WIN32)
    add_test(NAME wine_bench_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-bench start)
    add_test(NAME wine_bench_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-bench stop)
    set_tests_properties(wine_bench_start PROPERTIES FIXTURES_SETUP wine_bench TIMEOUT 300)
    set_tests_properties(wine_bench_stop PROPERTIES FIXTURES_CLEANUP wine_bench TIMEOUT 120)
endif()
