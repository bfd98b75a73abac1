# 32-bit Windows, the shipped program. Static runtime so the .exe runs on a bare system.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KV_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
