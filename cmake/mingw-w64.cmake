# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads,
# for std::thread and std::mutex). The libraries built for Windows live in one
# prefix: ZIFFRON_WIN_PREFIX (cache variable or environment).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_AR ${MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLET}-ranlib CACHE FILEPATH "")

if(NOT ZIFFRON_WIN_PREFIX AND DEFINED ENV{ZIFFRON_WIN_PREFIX})
  set(ZIFFRON_WIN_PREFIX $ENV{ZIFFRON_WIN_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${ZIFFRON_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must see the Windows libraries only, never the host's.
if(ZIFFRON_WIN_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} ${ZIFFRON_WIN_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()

# The C and C++ runtimes go into each program, so only the libraries' own
# DLLs travel beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Programs built here run under Wine when CMake or CTest need to run them.
find_program(ZIFFRON_WINE wine)
if(ZIFFRON_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZIFFRON_WINE})
endif()
