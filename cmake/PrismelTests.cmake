# How tests are declared. Native unit tests are discovered case by case; each Windows test
# program is one CTest test that runs under Wine through the harness (tests/harness).

set(PRISMEL_HARNESS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/harness)

function(prismel_unit_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    include(GoogleTest)
    gtest_discover_tests(${name} TEST_PREFIX "unit." PROPERTIES LABELS unit)
endfunction()

# A Windows test program (or its library) takes the headers test_support has parsed already.
function(prismel_test_headers target)
    target_precompile_headers(${target} REUSE_FROM test_support)
endfunction()

# prismel_windows_test(<name> <win|e2e> SOURCES ... [LIBRARIES ...] [TIMEOUT s] [ARGS ...])
# e2e tests move the one pointer and look at the one screen, so they never overlap.
function(prismel_windows_test name kind)
    cmake_parse_arguments(PARSE_ARGV 2 TEST "" "TIMEOUT" "SOURCES;LIBRARIES;ARGS")
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE test_support GTest::gtest_main ${TEST_LIBRARIES})
    prismel_test_headers(${name})
    add_test(NAME ${kind}.${name} COMMAND ${name} ${TEST_ARGS})
    if(NOT TEST_TIMEOUT)
        set(TEST_TIMEOUT 120)
    endif()
    # A machine that cannot run the program (a 32-bit one where the kernel runs no 32-bit
    # programs) reports the test skipped, saying why (tests/harness/wine-loader.sh).
    set_tests_properties(${kind}.${name} PROPERTIES
        LABELS ${kind} TIMEOUT ${TEST_TIMEOUT} FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77)
    if(kind STREQUAL "e2e")
        set_tests_properties(${kind}.${name} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()

function(prismel_harness_fixture)
    add_test(NAME harness.setup COMMAND ${PRISMEL_HARNESS_DIR}/setup.sh)
    add_test(NAME harness.cleanup COMMAND ${PRISMEL_HARNESS_DIR}/cleanup.sh)
    set_tests_properties(harness.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
    set_tests_properties(harness.cleanup PROPERTIES FIXTURES_CLEANUP wine)
endfunction()
