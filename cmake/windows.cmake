# What every Windows target shares: the runtime-free flags, the core library and the platform layer.

# Shipped code: no C runtime, no exceptions, no RTTI, no unwind tables, no guarded statics.
# <windows.h> reaches GCC's mm_malloc.h (winnt.h, x86intrin.h), whose inline helpers call malloc and
# free; x86_64 MinGW GCC 14 declares neither under -ffreestanding. Nothing here uses those helpers,
# so the header is marked as already read, through its own include guard.
set(CORVANTA_FREESTANDING_FLAGS
    -Os -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -fno-threadsafe-statics -fno-ident -D_MM_MALLOC_H_INCLUDED -Wall -Wextra)

# The process entry symbol of a stdcall EntryPoint() differs by target.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CORVANTA_ENTRY _EntryPoint@0)
else()
    set(CORVANTA_ENTRY EntryPoint)
endif()

# Linking without a start-up library; a wrong entry name must fail the link, not warn.
set(CORVANTA_NO_RUNTIME_LINK_FLAGS
    -nostdlib -s -Wl,--subsystem,windows -Wl,--no-insert-timestamp -Wl,--fatal-warnings
    -Wl,-e,${CORVANTA_ENTRY})

# The only DLLs the program may import; libgcc is static and only supplies ___chkstk_ms.
set(CORVANTA_SYSTEM_LIBRARIES kernel32 user32 gdi32 comdlg32 shell32 gcc)

add_library(corvanta_core STATIC ${CORE_SOURCES})
target_compile_options(corvanta_core PRIVATE ${CORVANTA_FREESTANDING_FLAGS})

add_library(corvanta_platform STATIC ui/platform_win32.cpp)
target_compile_options(corvanta_platform PRIVATE ${CORVANTA_FREESTANDING_FLAGS})
