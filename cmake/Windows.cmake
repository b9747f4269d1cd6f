# Windows build: the statically linked Tamvick.exe, which links no C
# runtime and imports only system DLLs, and the Windows-side test helpers.
enable_language(C)
enable_language(RC)

add_executable(Tamvick ${VORSEL_SOURCES}
    file/VorselStart.cpp
    support/Freestanding.cpp
    file/Tamvick.rc)
set_target_properties(Tamvick PROPERTIES OUTPUT_NAME Tamvick SUFFIX .exe)
target_compile_options(Tamvick PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:${VORSEL_WARNINGS} ${VORSEL_FLAGS} -O2 -ffreestanding
    -fno-tree-loop-distribute-patterns -fno-stack-protector>)
target_compile_definitions(Tamvick PRIVATE WIN32_LEAN_AND_MEAN)
target_link_options(Tamvick PRIVATE
    -nostdlib -nostartfiles -static -s
    -Wl,-e,VorselStart -Wl,--subsystem,console
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)
# COMDLG32 and all it pulls in cost more than the rest of a run together, so
# it is delay-loaded: only the dialog path loads it, through the toolchain's
# delay-load helper, on the first call of GetSaveFileNameA.
set(DELAYED_COMDLG32 ${CMAKE_BINARY_DIR}/libcomdlg32_delayed.a)
add_custom_command(OUTPUT ${DELAYED_COMDLG32}
    COMMAND x86_64-w64-mingw32-dlltool --input-def ${CMAKE_SOURCE_DIR}/file/comdlg32.def
            --dllname comdlg32.dll --output-delaylib ${DELAYED_COMDLG32}
    DEPENDS file/comdlg32.def)
add_custom_target(comdlg32_delayed DEPENDS ${DELAYED_COMDLG32})
add_dependencies(Tamvick comdlg32_delayed)
target_link_libraries(Tamvick PRIVATE ${DELAYED_COMDLG32} mingwex kernel32 user32)

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
