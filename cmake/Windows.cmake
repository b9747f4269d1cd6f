# Windows build: the statically linked Tamvick.exe, which links no C
# runtime and imports only system DLLs, and the Windows-side test helpers.
enable_language(C)
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

add_executable(Tamvick ${VORSEL_SOURCES}
    file/VorselStart.cpp
    support/Freestanding.cpp
    file/Tamvick.rc)
set_target_properties(Tamvick PROPERTIES OUTPUT_NAME Tamvick SUFFIX .exe)
target_compile_options(Tamvick PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:${VORSEL_WARNINGS} ${VORSEL_FLAGS} -O2
    -fno-tree-loop-distribute-patterns -fno-stack-protector>)
target_compile_definitions(Tamvick PRIVATE WIN32_LEAN_AND_MEAN)
# COMDLG32 is not imported: the save stage loads it from the system folder
# when it shows the dialog, so the help and refusal paths never load it.
target_link_options(Tamvick PRIVATE
    -nostdlib -nostartfiles -static -s
    -Wl,-e,VorselStart -Wl,--subsystem,console
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)
target_link_libraries(Tamvick PRIVATE kernel32 user32)

include(test/windows/Tests.cmake)

# Benchmark programs: the floors the tool is measured against, and the clock.
foreach(floor floor dialogfloor)
    add_executable(${floor} bench/${floor}.c)
    target_compile_options(${floor} PRIVATE -Wall -Wextra -Werror -O2 -fno-stack-protector)
    target_link_options(${floor} PRIVATE -nostdlib -nostartfiles -static -s
        -Wl,-e,FloorStart -Wl,--subsystem,console)
    target_link_libraries(${floor} PRIVATE kernel32 user32 comdlg32)
endforeach()
add_executable(clock bench/clock.c)
target_compile_options(clock PRIVATE -Wall -Wextra -Werror -O2)
target_link_options(clock PRIVATE -static)
