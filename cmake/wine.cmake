# Windows-side test programs: GoogleTest cross-built, and their cases run by ctest under Wine: the
# 32-bit tree's with Wine's 32-bit loader against the shipped PE32, the 64-bit tree's with wine64.
#
#   corvanta_wine_gtest(target)             link a test program with GoogleTest, register its cases
#   corvanta_wine_test(NAME n COMMAND ...)  any other Windows program as one test, e.g. a benchmark
#
# Every test registered here runs in one Wine world (CORVANTA_WINE_DIR: a prefix made at build time,
# a private Xvfb display, a persistent wineserver) started and ended by the fixture corvanta_wine.
#
# Include it from every folder that registers such tests: the variables below are per folder, the
# shared parts (GoogleTest, the prefix, the fixture) are made by the first include only.
include(GoogleTest)

option(CORVANTA_WINE_TESTS "Run the Windows-side tests under Wine" ON)

set(CORVANTA_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(CORVANTA_WINE_SESSION ${PROJECT_SOURCE_DIR}/scripts/wine-session)
# Prefix of a command that runs one of this tree's Windows programs in that world, with the loader
# of the program's own kind (read from its PE header): the 32-bit one for PE32 programs.
set(CORVANTA_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run ${CORVANTA_WINE_DIR})

# One prefix is one window world with one C:\windows: its tests run one at a time.
set(corvanta_wine_test_properties
    FIXTURES_REQUIRED corvanta_wine RESOURCE_LOCK ${CORVANTA_WINE_DIR} LABELS wine TIMEOUT 120)
# What only a whole run of one GoogleTest case prints; with it the exit status is not looked at.
set(corvanta_gtest_passed PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test")

get_property(corvanta_wine_frame_made GLOBAL PROPERTY CORVANTA_WINE_FRAME_MADE)
if(corvanta_wine_frame_made)
    return()
endif()
set_property(GLOBAL PROPERTY CORVANTA_WINE_FRAME_MADE TRUE)

# GoogleTest from the system's sources, built for the target by the -posix MinGW compilers.
set(gtest_disable_pthreads ON)
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(CORVANTA_WINE_TESTS)
    # Making a prefix takes 10-15 s: done once while building, never during test discovery.
    add_custom_command(
        OUTPUT ${CORVANTA_WINE_DIR}/prefix.ready
        COMMAND ${CORVANTA_WINE_SESSION} prefix ${CORVANTA_WINE_DIR}
        COMMENT "Making the Wine prefix for the Windows-side tests")
    add_custom_target(corvanta_wine_prefix ALL DEPENDS ${CORVANTA_WINE_DIR}/prefix.ready)

    add_test(NAME wine_session_start COMMAND ${CORVANTA_WINE_SESSION} start ${CORVANTA_WINE_DIR})
    add_test(NAME wine_session_stop COMMAND ${CORVANTA_WINE_SESSION} stop ${CORVANTA_WINE_DIR})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP corvanta_wine TIMEOUT 300 LABELS wine)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP corvanta_wine TIMEOUT 60 LABELS wine)
endif()

function(corvanta_wine_gtest target)
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
    # Static: the program needs no MinGW DLLs inside the prefix.
    target_link_options(${target} PRIVATE -static)
    # With the Wine tests switched off the program is still built, so the tests keep compiling.
    if(NOT CORVANTA_WINE_TESTS)
        return()
    endif()
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${CORVANTA_WINE_RUN}")
    # Listing the cases starts Wine cold, with no session yet: allow it far more than 5 s.
    # Each case is named after its program: ctest -R win_platform_tests picks one program's cases.
    # A case passes only on GoogleTest's own line for one test passed: Wine can exit with 0 where a
    # program did not run, and so does a case whose process is ended with 0 in mid-case.
    gtest_discover_tests(${target}
        TEST_PREFIX ${target}.
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES ${corvanta_wine_test_properties} ${corvanta_gtest_passed})
endfunction()

function(corvanta_wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME" "COMMAND")
    if(NOT CORVANTA_WINE_TESTS)
        return()
    endif()
    add_test(NAME ${arg_NAME} COMMAND ${CORVANTA_WINE_RUN} ${arg_COMMAND})
    set_tests_properties(${arg_NAME} PROPERTIES ${corvanta_wine_test_properties})
endfunction()
