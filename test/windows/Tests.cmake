# Windows-side test helpers and the tests that run the real executable
# under Wine (and, for the dialog, under Xvfb).
foreach(helper launch dialog)
    add_executable(${helper} test/windows/${helper}.c)
    target_compile_options(${helper} PRIVATE -Wall -Wextra -Werror -O2)
    target_link_options(${helper} PRIVATE -static)
endforeach()
# the dialog driver takes its arguments as wide texts
target_compile_options(dialog PRIVATE -municode)
target_link_options(dialog PRIVATE -municode)

set(WINE_TEST_ENV
    "VORSEL_EXE=$<TARGET_FILE:Tamvick>"
    "VORSEL_LAUNCH=$<TARGET_FILE:launch>"
    "VORSEL_BUILD=${CMAKE_BINARY_DIR}"
    "VORSEL_SOURCE=${CMAKE_SOURCE_DIR}")

add_test(NAME image COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/test/wine/test_image.py)
add_test(NAME spine COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/test/wine/test_spine.py)
add_test(NAME dialog COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/test/wine/test_dialog.py)
add_test(NAME hostile COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/test/wine/test_hostile.py)
add_test(NAME examples COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/test/wine/test_examples.py)
add_test(NAME codepages
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/test/wine/test_codepages.py)
add_test(NAME release COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/test/wine/test_release.py)
set_tests_properties(image spine dialog hostile examples codepages release
    PROPERTIES ENVIRONMENT "${WINE_TEST_ENV}")
set_tests_properties(dialog hostile examples codepages release PROPERTIES TIMEOUT 1500)

# The emulator runs the exe directly, as a user would: help ends with 0.
add_test(NAME help-under-wine COMMAND Tamvick /?)
set_tests_properties(help-under-wine PROPERTIES
    ENVIRONMENT "VORSEL_WINEPREFIX=${CMAKE_BINARY_DIR}/wine-help"
    PASS_REGULAR_EXPRESSION "Vorsel ${PROJECT_VERSION}/x64")
