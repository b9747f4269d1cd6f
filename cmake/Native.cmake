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
