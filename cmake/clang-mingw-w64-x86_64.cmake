# Cross-compiles Kestro for 64-bit Windows with clang and lld, against the same MinGW-w64
# headers, libstdc++ and winpthreads that the posix-thread GCC build uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${TRIPLE})
# Without a sysroot clang's MinGW driver would also search the host's /usr/include.
set(CMAKE_SYSROOT /usr/${TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian puts no llvm-windres on the PATH; it sits beside the real clang binary.
find_program(KESTRO_CLANG clang REQUIRED)
file(REAL_PATH ${KESTRO_CLANG} KESTRO_CLANG_REAL)
get_filename_component(LLVM_BIN ${KESTRO_CLANG_REAL} DIRECTORY)
set(CMAKE_RC_COMPILER ${LLVM_BIN}/llvm-windres)
set(CMAKE_RC_FLAGS_INIT "--target=${TRIPLE}")

# Clang's MinGW driver does not recognise GCC's "12-posix" style directory, so the C++ headers
# and the runtime libraries are named from where the GCC driver itself keeps them.
execute_process(COMMAND ${TRIPLE}-g++-posix -print-libgcc-file-name
  OUTPUT_VARIABLE KESTRO_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(GCC_DIR ${KESTRO_LIBGCC} DIRECTORY)
set(CMAKE_CXX_FLAGS_INIT "-stdlib++-isystem ${GCC_DIR}/include/c++ \
-stdlib++-isystem ${GCC_DIR}/include/c++/${TRIPLE} -stdlib++-isystem ${GCC_DIR}/include/c++/backward")
# GCC's libstdc++ keeps its thread-locals (std::call_once's) in emulated TLS; match it.
string(APPEND CMAKE_C_FLAGS_INIT " -femulated-tls")
string(APPEND CMAKE_CXX_FLAGS_INIT " -femulated-tls")

# Static runtime as in the GCC build; the posix-thread libstdc++ calls into winpthreads.
set(CMAKE_EXE_LINKER_FLAGS_INIT
  "-fuse-ld=lld -L${GCC_DIR} -pthread -static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
