# Cross-compiling for Windows with MinGW-w64. CORVANTA_ARCH (a cache variable, set by the presets) is
# i686 for the shipped 32-bit build or x86_64 for the 64-bit twin the Wine tests also run.
if(NOT CORVANTA_ARCH MATCHES "^(i686|x86_64)$")
    message(FATAL_ERROR "CORVANTA_ARCH must be i686 or x86_64, not '${CORVANTA_ARCH}'")
endif()
# CMake's own test builds read this file again: they are handed the architecture too.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CORVANTA_ARCH)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${CORVANTA_ARCH})
set(CMAKE_C_COMPILER ${CORVANTA_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANTA_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANTA_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANTA_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No import library is added behind a target's back: a stray API fails to link instead.
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
