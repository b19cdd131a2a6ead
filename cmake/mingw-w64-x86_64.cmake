# Cross-compiles Kestro for 64-bit Windows with the MinGW-w64 compiler of the posix thread
# model, which the tests need for std::thread. The release takes the win32 model
# (-DKESTRO_MINGW_THREADS=win32): Kestro itself starts its threads with the system's calls, and
# without the winpthreads library its executable is some 24 KB smaller.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIPLE x86_64-w64-mingw32)
if(NOT KESTRO_MINGW_THREADS)
  set(KESTRO_MINGW_THREADS posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KESTRO_MINGW_THREADS)
set(CMAKE_C_COMPILER   ${TRIPLE}-gcc-${KESTRO_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${TRIPLE}-g++-${KESTRO_MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static runtime: Kestro.exe must run on a bare Windows without the MinGW DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
