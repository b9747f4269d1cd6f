# Windows build: the statically linked Tamvick.exe, which links no C
# runtime and imports only system DLLs, its release zip, and the
# Windows-side test helpers.
enable_language(C)
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Builds are reproducible: the image's time stamp and the times in the zip
# are those of the commit being built (or SOURCE_DATE_EPOCH when set), and
# nothing in either depends on where or when the build ran.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(VORSEL_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        OUTPUT_VARIABLE VORSEL_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND git rev-parse --absolute-git-dir
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(EXISTS "${git_dir}/logs/HEAD")
        # a new commit or checkout configures again, for its own time
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${git_dir}/logs/HEAD")
    endif()
endif()
if(NOT VORSEL_EPOCH MATCHES "^[0-9]+$")
    set(VORSEL_EPOCH 315532800) # 1980-01-01, the earliest time a zip holds
endif()

# The folder dialogs' COM calls and the time limit's window calls are the
# Windows build's alone: natively the stand-in answers for them whole. So is stack protection, which a C runtime
# would bring: natively the sanitizers check more.
add_executable(Tamvick ${VORSEL_SOURCES}
    support/FolderDialog.cpp
    support/TimeLimit.cpp
    support/StackGuard.cpp
    file/VorselStart.cpp
    support/Freestanding.cpp
    file/Tamvick.rc)
set_target_properties(Tamvick PROPERTIES OUTPUT_NAME Tamvick SUFFIX .exe
    RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VORSEL_EPOCH}")
target_compile_options(Tamvick PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:${VORSEL_WARNINGS} ${VORSEL_FLAGS} -O2
    -fno-tree-loop-distribute-patterns -fstack-protector-strong>)
target_compile_definitions(Tamvick PRIVATE WIN32_LEAN_AND_MEAN)
# COMDLG32 is not imported: the save stage loads it from the system folder
# when it shows the dialog, so the help and refusal paths never load it.
target_link_options(Tamvick PRIVATE
    -nostdlib -nostartfiles -static -s
    -Wl,-e,VorselStart -Wl,--subsystem,console
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va -Wl,--tsaware)
target_link_libraries(Tamvick PRIVATE kernel32 user32)

# The release: cmake --build --preset windows --target package
set(VORSEL_RELEASE Tamvick-${PROJECT_VERSION}-win64)
set(VORSEL_RELEASE_FILES README.md LICENSE docs/usage.md docs/dialog.png
    examples/pick-name.cmd examples/save-copy.cmd examples/write-report.cmd
    examples/copy-files.cmd)
# Signing the exe in the zip, off unless a key file is named. The password
# is read from the environment (VORSEL_SIGN_PASSWORD) when the zip is made.
# A text, not a FILEPATH: CMake splits a given FILEPATH at each ';' and
# makes each piece a path of its own.
set(VORSEL_SIGN_PKCS12 "" CACHE STRING
    "PKCS#12 (.pfx) file to sign the release's Tamvick.exe with; empty: no signature")
set_property(CACHE VORSEL_SIGN_PKCS12 PROPERTY TYPE STRING)
set(VORSEL_SIGN_TIMESTAMP "" CACHE STRING
    "RFC 3161 time-stamp server for the signature; empty: no time stamp")
# With the address the zip will be downloaded from, the release also holds
# winget's and Scoop's manifests for it.
set(VORSEL_RELEASE_URL "" CACHE STRING
    "https address of the folder the release zip is downloaded from; empty: no manifests")
set(VORSEL_HOMEPAGE "" CACHE STRING
    "The project's page in the manifests, needed with VORSEL_RELEASE_URL")
# The settings reach package.py in hexadecimal, whatever they hold: a ';'
# would split a CMake list, and a line break the build file.
set(release_settings)
foreach(option sign-pkcs12 sign-timestamp release-url homepage)
    string(TOUPPER VORSEL_${option} setting)
    string(REPLACE - _ setting ${setting})
    string(HEX "${${setting}}" value)
    list(APPEND release_settings --${option}=${value})
endforeach()
# The release is made afresh every time: the key file, the password and
# the settings the zip was last made with lie outside what the build tool
# tracks, and the zip must always be what the current ones ask for.
add_custom_target(package
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/package.py ${release_settings}
            ${PROJECT_VERSION} ${CMAKE_BINARY_DIR}/${VORSEL_RELEASE}.zip ${VORSEL_RELEASE}
            ${VORSEL_EPOCH} $<TARGET_FILE:Tamvick> ${CMAKE_SOURCE_DIR} ${VORSEL_RELEASE_FILES}
    DEPENDS Tamvick VERBATIM)

include(test/windows/Tests.cmake)

# Benchmark programs: the floors the tool is measured against, and the clock.
foreach(floor floor dialogfloor)
    add_executable(${floor} bench/${floor}.c)
    target_compile_options(${floor} PRIVATE -Wall -Wextra -Werror -O2 -fno-stack-protector)
    target_link_options(${floor} PRIVATE -nostdlib -nostartfiles -static -s
        -Wl,-e,FloorStart -Wl,--subsystem,console)
    target_link_libraries(${floor} PRIVATE kernel32 user32 comdlg32 ole32)
endforeach()
add_executable(clock bench/clock.c)
target_compile_options(clock PRIVATE -Wall -Wextra -Werror -O2)
target_link_options(clock PRIVATE -static)
