# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which std::thread and GoogleTest need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QORU_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QORU_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QORU_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QORU_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QORU_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static, so an .exe runs on a bare Windows (or Wine) without
# libgcc, libstdc++ or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run through Wine on this machine.
find_program(QORU_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QORU_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QORU_WINE})
endif()
