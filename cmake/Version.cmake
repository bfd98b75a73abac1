# The project's one version number (project(... VERSION) in the top CMakeLists.txt), given to
# the code as a generated header and to each shipped program as a version resource.
#   #include "kv/Version.h"                   KV_VERSION_TEXT ("1.2.3"), KV_VERSION_COMMAS (1,2,3,0)
#   kv_version_resource(TARGET "DESCRIPTION") a VERSIONINFO resource for a Windows program
# app/res/Kelvorine.manifest names the same number (as x.y.z.0) by hand; the package test
# checks that they agree.
set(KV_VERSION_TEXT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(KV_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
set(KV_GENERATED_INCLUDE ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${KV_GENERATED_INCLUDE}/kv/Version.h @ONLY)
# The packaging script reads the number from here rather than parsing CMake files.
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${KV_VERSION_TEXT}\n")

function(kv_version_resource target description)
    if(NOT WIN32)
        return()
    endif()
    get_target_property(kv_output ${target} OUTPUT_NAME)
    if(NOT kv_output)
        set(kv_output ${target})
    endif()
    set(KV_FILE_DESCRIPTION "${description}")
    set(KV_FILE_NAME "${kv_output}.exe")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
    configure_file(${KV_ROOT}/cmake/VersionInfo.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
