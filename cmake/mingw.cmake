# Cross-compiling toolchain for mingw-w64 (posix thread model).
# VELMORA_ARCH selects the target: i686 (the shipped program) or x86_64 (the same sources, for
# test machines whose kernel cannot execute 32-bit code under Wine).
if(NOT VELMORA_ARCH)
  set(VELMORA_ARCH i686)
endif()
set(VELMORA_ARCH "${VELMORA_ARCH}" CACHE STRING "mingw-w64 target: i686 or x86_64")
set(_triple ${VELMORA_ARCH}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELMORA_ARCH})
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
