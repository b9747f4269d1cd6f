# Native build: the tool's sources against the test stand-in for the Win32
# calls, with the address and undefined-behaviour sanitizers.
find_package(GTest REQUIRED)

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(vorsel_core STATIC ${VORSEL_SOURCES} test/standin/StandIn.cpp)
target_include_directories(vorsel_core PUBLIC test/standin)
target_compile_options(vorsel_core PRIVATE ${VORSEL_WARNINGS} ${VORSEL_FLAGS})
target_compile_options(vorsel_core PUBLIC ${SANITIZE} -g)
target_link_options(vorsel_core PUBLIC ${SANITIZE})

add_executable(unit_tests
    test/native/Child.cpp
    test/native/ScannerTest.cpp
    test/native/PathTextTest.cpp
    test/native/DriverTest.cpp
    test/native/SaveTest.cpp)
target_link_libraries(unit_tests PRIVATE vorsel_core GTest::gtest_main)
target_compile_options(unit_tests PRIVATE -Wall -Wextra -Werror)

include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# Fuzz targets (clang's libFuzzer): each runs for a bounded time in every
# test run, starting from the seeds in fuzz/corpus/, keeping what it finds in
# the build tree. A longer run: -DVORSEL_FUZZ_SECONDS=600 at configure time.
set(VORSEL_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz target runs in a test run")
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_library(vorsel_fuzz_core STATIC ${VORSEL_SOURCES} test/standin/StandIn.cpp)
    target_include_directories(vorsel_fuzz_core PUBLIC test/standin)
    target_compile_options(vorsel_fuzz_core PRIVATE ${VORSEL_WARNINGS} ${VORSEL_FLAGS})
    target_compile_options(vorsel_fuzz_core PUBLIC ${SANITIZE} -fsanitize=fuzzer-no-link -g)
    foreach(target Scanner PathText Driver)
        string(TOLOWER ${target} name)
        add_executable(fuzz_${name} fuzz/Fuzz${target}.cpp)
        target_link_libraries(fuzz_${name} PRIVATE vorsel_fuzz_core)
        target_compile_options(fuzz_${name} PRIVATE -Wall -Wextra -Werror)
        target_link_options(fuzz_${name} PRIVATE ${SANITIZE} -fsanitize=fuzzer)
        set(found ${CMAKE_BINARY_DIR}/fuzz-found/${name})
        file(MAKE_DIRECTORY ${found})
        add_test(NAME fuzz-${name}
            COMMAND fuzz_${name} -max_total_time=${VORSEL_FUZZ_SECONDS} -timeout=10
                    -max_len=65536 -print_final_stats=1 -artifact_prefix=${found}/
                    ${found} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
        set_tests_properties(fuzz-${name} PROPERTIES TIMEOUT 900)
    endforeach()
endif()

# Static analysis and layout of the tool's own sources: any finding fails.
set(VORSEL_CHECKED_SOURCES ${VORSEL_SOURCES})
list(TRANSFORM VORSEL_CHECKED_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
find_program(CLANG_TIDY NAMES clang-tidy clang-tidy-14 REQUIRED)
find_program(CPPCHECK cppcheck REQUIRED)
find_program(CLANG_FORMAT NAMES clang-format clang-format-14 REQUIRED)
add_test(NAME clang-tidy
    COMMAND ${CLANG_TIDY} -p ${CMAKE_BINARY_DIR} --quiet ${VORSEL_CHECKED_SOURCES})
# Newer releases stop early on branchy code unless asked to look at all of it.
execute_process(COMMAND ${CPPCHECK} --version OUTPUT_VARIABLE CPPCHECK_VERSION)
string(REGEX MATCH "[0-9]+\\.[0-9]+" CPPCHECK_VERSION "${CPPCHECK_VERSION}")
set(CPPCHECK_LEVEL "")
if(CPPCHECK_VERSION VERSION_GREATER_EQUAL 2.11)
    set(CPPCHECK_LEVEL --check-level=exhaustive)
endif()
add_test(NAME cppcheck
    COMMAND ${CPPCHECK} --error-exitcode=1 --enable=warning,style,performance,portability
            ${CPPCHECK_LEVEL}
            --inline-suppr --std=c++17 --language=c++ -I ${CMAKE_SOURCE_DIR}/test/standin
            -I ${CMAKE_BINARY_DIR}/generated
            --suppress=missingIncludeSystem --quiet ${VORSEL_CHECKED_SOURCES}
            ${CMAKE_SOURCE_DIR}/support/FolderDialog.cpp ${CMAKE_SOURCE_DIR}/support/TimeLimit.cpp
            ${CMAKE_SOURCE_DIR}/support/StackGuard.cpp)
# The folder dialogs' COM calls, the time limit and the stack guard build for
# Windows alone, so they are checked against mingw-w64's headers.
add_test(NAME clang-tidy-windows
    COMMAND ${CLANG_TIDY} --quiet ${CMAKE_SOURCE_DIR}/support/FolderDialog.cpp
            ${CMAKE_SOURCE_DIR}/support/TimeLimit.cpp ${CMAKE_SOURCE_DIR}/support/StackGuard.cpp ${CMAKE_SOURCE_DIR}/file/VorselStart.cpp --
            --target=x86_64-w64-mingw32 -std=c++17 -DWIN32_LEAN_AND_MEAN ${VORSEL_WARNINGS})
file(GLOB_RECURSE VORSEL_FORMATTED CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/file/*.cpp ${CMAKE_SOURCE_DIR}/file/*.h
    ${CMAKE_SOURCE_DIR}/support/*.cpp ${CMAKE_SOURCE_DIR}/support/*.h
    ${CMAKE_SOURCE_DIR}/test/*.cpp ${CMAKE_SOURCE_DIR}/test/*.h ${CMAKE_SOURCE_DIR}/test/*.c
    ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
add_test(NAME clang-format COMMAND ${CLANG_FORMAT} --dry-run -Werror ${VORSEL_FORMATTED})
set_tests_properties(clang-tidy clang-tidy-windows PROPERTIES
    FAIL_REGULAR_EXPRESSION "(warning|error):")
