# 64-bit Windows: proves the code is pointer-size clean, and runs the Windows tests on
# machines whose kernel cannot execute 32-bit code.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KV_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
