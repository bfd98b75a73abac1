# Shared part of the two mingw-w64 tool chain files; CMAKE_SYSTEM_PROCESSOR names the target.
set(KV_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${KV_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KV_TRIPLE}-g++-posix)  # std::thread and std::mutex
set(CMAKE_RC_COMPILER ${KV_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# ctest runs every Windows program through Wine, each on a screen of its own: many read screen
# pixels, send real mouse and keyboard input or need the activation, and must not take them
# from each other.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run;--arch=${KV_WINE_ARCH};--own-screen)
