# Cross toolchain for Windows x86-64: Debian's mingw-w64 with the posix thread model
# (g++-mingw-w64-x86-64-posix), whose std::thread and std::mutex the programs use.
# Libraries for the target that live outside the toolchain (Qt for MinGW, see
# scripts/qt-mingw.sh) are found through CMAKE_PREFIX_PATH.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZELVAR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER /usr/bin/${ZELVAR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${ZELVAR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${ZELVAR_MINGW_PREFIX}-windres)
set(CMAKE_AR /usr/bin/${ZELVAR_MINGW_PREFIX}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${ZELVAR_MINGW_PREFIX}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${ZELVAR_MINGW_PREFIX})
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
