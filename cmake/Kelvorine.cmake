# Build helpers shared by every folder. Each folder's CMakeLists.txt belongs to that folder's
# room; these functions keep them short and uniform.

set(KV_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

# A compiler cache when the machine has one (developer machines; CI builds once and needs none).
# The base folder makes its keys relative, so several work trees share the cached results.
find_program(KV_CCACHE ccache)
if(KV_CCACHE)
    get_filename_component(kv_base ${KV_ROOT} REALPATH)
    set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${kv_base} ${KV_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${kv_base} ${KV_CCACHE})
endif()

function(kv_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
    if(KV_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Sanitizers and fuzzing apply to the host build only.
if(NOT WIN32 AND KV_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(NOT WIN32 AND KV_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
    # Every report ends the test program with a failure. Leak checking needs the process to be
    # allowed to inspect itself (some containers forbid it); a program that leaks nothing tells
    # whether it works here.
    set(kv_leaks 0)
    try_run(kv_lsan_run kv_lsan_compiled ${CMAKE_BINARY_DIR}/kv_lsan_probe
        ${CMAKE_CURRENT_LIST_DIR}/LeakProbe.cpp
        COMPILE_DEFINITIONS -fsanitize=address LINK_OPTIONS -fsanitize=address)
    if(kv_lsan_compiled AND kv_lsan_run EQUAL 0)
        set(kv_leaks 1)
    else()
        message(STATUS "LeakSanitizer does not work on this machine: leak checks are off")
    endif()
    set(KV_SANITIZER_ENV
        "ASAN_OPTIONS=halt_on_error=1:detect_leaks=${kv_leaks}:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
        "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
endif()

if(WIN32)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
# Line tables only (this comes after the configuration's -g): enough for a backtrace; full
# debug information costs a third of every compile, and under Wine nobody reads it.
add_compile_options($<$<CONFIG:RelWithDebInfo>:-g1>)

# Test code (test programs, their precompiled headers, GoogleTest) is optimised only as far as
# it costs no compile time: -Og takes a third less time than -O2 on a test file (and less than the
# sanitizer build's -O1), and the code under test keeps the build's own level.
function(kv__test_code_options target)
    target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo>:-Og>)
endfunction()

# Precompiled headers. Parsing the standard library, <windows.h> and GoogleTest costs more than
# compiling most of our files, so each set is compiled once per build by a tiny target and reused
# by every library and test program, except the portable libraries of the host build: that is
# the build that keeps every warning for the code the host tests and sanitizer runs check. GCC 12
# reports -Warray-bounds (and its string cousins) inside <string> for plain string copies and
# concatenations when <string> comes precompiled, though it accepts the same code parsed as
# text; so targets with the header go without those warnings. GCC only (clang refuses a shared
# header whenever the -D flags of two targets differ). The compiler cache caches such files only
# with CCACHE_SLOPPINESS=pch_defines,time_macros.
option(KV_PCH "Precompiled headers (GCC)" ON)
set(KV_PCH_STD <algorithm> <array> <cstddef> <cstdint> <cstdlib> <cstring> <filesystem> <fstream>
    <functional> <map> <memory> <optional> <span> <stdexcept> <string> <string_view> <utility> <vector>)

macro(kv__add_pch_set set_name)
    if(NOT TARGET kv_pch_${set_name})
        set(kv_pch_source ${CMAKE_BINARY_DIR}/kv_pch/${set_name}.cpp)
        file(CONFIGURE OUTPUT ${kv_pch_source} CONTENT "// The precompiled header set ${set_name}.\n")
        add_library(kv_pch_${set_name} OBJECT ${kv_pch_source})
        target_precompile_headers(kv_pch_${set_name} PRIVATE ${ARGN})
        target_compile_options(kv_pch_${set_name} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
                               -Wno-stringop-overread -Wno-restrict)
        if(set_name MATCHES "test")
            target_link_libraries(kv_pch_${set_name} PRIVATE GTest::gtest)
            kv__test_code_options(kv_pch_${set_name})
        endif()
    endif()
endmacro()

# kv__use_pch(TARGET PORTABLE|WINDOWS [TEST])
function(kv__use_pch target kind)
    if(NOT KV_PCH OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        return()
    endif()
    set(headers ${KV_PCH_STD})
    set(set_name code)
    if(kind STREQUAL "WINDOWS" AND WIN32)
        list(PREPEND headers <windows.h>)
        set(set_name win)
    endif()
    if(ARGN STREQUAL "TEST")
        list(APPEND headers <gtest/gtest.h>)
        set(set_name ${set_name}_test)
    endif()
    kv__add_pch_set(${set_name} ${headers})
    target_precompile_headers(${target} REUSE_FROM kv_pch_${set_name})
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
                           -Wno-stringop-overread -Wno-restrict)
endfunction()

# GoogleTest from Debian's source package, built the same way for the host and for Windows.
macro(kv_add_googletest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    foreach(kv_gtest_target gtest gtest_main gmock gmock_main)
        kv__test_code_options(${kv_gtest_target})
    endforeach()
endmacro()

# kv_library(NAME DIRS dir... [DEPS lib...] [EXCLUDE regex...] [WINDOWS_ONLY])
# A static library of every .cpp in the given folders (relative to the caller), less those whose
# path matches an EXCLUDE pattern. Folders are globbed so that a room adds a file without
# touching shared build files.
function(kv_library name)
    cmake_parse_arguments(ARG "WINDOWS_ONLY" "" "DIRS;DEPS;EXCLUDE" ${ARGN})
    if(ARG_WINDOWS_ONLY AND NOT WIN32)
        return()
    endif()
    set(sources "")
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    foreach(skip IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${skip}")
    endforeach()
    if(NOT sources)
        # Header-only so far.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${KV_ROOT})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${KV_ROOT})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    kv_warnings(${name})
    if(ARG_WINDOWS_ONLY)
        kv__use_pch(${name} WINDOWS)
    elseif(WIN32)
        kv__use_pch(${name} PORTABLE)
    endif()
endfunction()

# kv_test(NAME DIRS dir... [DEPS lib...] [HOST | WINDOWS] [TIMEOUT seconds] [COST seconds]
#         [LABELS label...])
# One test program per room from every .cpp of its folders, run by ctest as one test (TIMEOUT
# defaults to 300 seconds). HOST programs build only in the host build, WINDOWS ones only in the
# Windows builds (and run under Wine through the emulator of the tool chain file). COST, about
# the seconds it runs, lets a parallel ctest start the long programs first before it has timed
# them itself.
function(kv_test name)
    cmake_parse_arguments(ARG "HOST;WINDOWS" "TIMEOUT;COST" "DIRS;DEPS;LABELS" ${ARGN})
    if((ARG_HOST AND WIN32) OR (ARG_WINDOWS AND NOT WIN32))
        return()
    endif()
    set(sources "")
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    add_executable(${name} ${sources})
    target_include_directories(${name} PRIVATE ${KV_ROOT})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
    kv_warnings(${name})
    kv__test_code_options(${name})
    if(ARG_WINDOWS)
        kv__use_pch(${name} WINDOWS TEST)
    else()
        kv__use_pch(${name} PORTABLE TEST)
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "KV_SOURCE_DIR=${KV_ROOT};KV_BINARY_DIR=${CMAKE_BINARY_DIR}"
        LABELS "${ARG_LABELS}")
    if(ARG_COST)
        set_tests_properties(${name} PROPERTIES COST ${ARG_COST})
    endif()
    if(KV_SANITIZER_ENV)
        set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${KV_SANITIZER_ENV})
    endif()
    # kv_tests builds every test program and what they run, nothing else (the sanitizer build).
    if(NOT TARGET kv_tests)
        add_custom_target(kv_tests)
    endif()
    add_dependencies(kv_tests ${name})
endfunction()

# kv_benchmark(NAME SOURCES... DEPS ...): Google Benchmark on the host; ctest runs it once with a
# minimal time so CI proves it works without timing anything.
function(kv_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    if(WIN32 OR KV_SANITIZE) # timings under the sanitizers tell nothing
        return()
    endif()
    find_package(benchmark QUIET)
    if(NOT benchmark_FOUND)
        message(STATUS "Google Benchmark not found: ${name} skipped")
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${KV_ROOT})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
    kv_warnings(${name})
    add_test(NAME ${name} COMMAND ${name} --benchmark_min_time=0.001)
    set_tests_properties(${name} PROPERTIES LABELS benchmark
        ENVIRONMENT "KV_SOURCE_DIR=${KV_ROOT};KV_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# kv_fuzzer(NAME SOURCES... DEPS ...): a libFuzzer target when KV_FUZZ is on (clang host build).
function(kv_fuzzer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    if(WIN32 OR NOT KV_FUZZ)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${KV_ROOT})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()
