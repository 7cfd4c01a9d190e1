# libdeflate for the Windows build: cross-built once per build folder from Debian's source
# package, then found as Deflate::Deflate like the native library.
set(QUORLAN_DEFLATE_PREFIX ${CMAKE_BINARY_DIR}/libdeflate)
if(NOT EXISTS ${QUORLAN_DEFLATE_PREFIX}/lib/libdeflate.a OR
   NOT EXISTS ${QUORLAN_DEFLATE_PREFIX}/notices/COPYING)
    message(STATUS "Cross-building libdeflate into ${QUORLAN_DEFLATE_PREFIX}")
    execute_process(
        COMMAND bash ${PROJECT_SOURCE_DIR}/tools/build-deflate-mingw.sh ${QUORLAN_DEFLATE_PREFIX}
                ${CMAKE_C_COMPILER}
        RESULT_VARIABLE QUORLAN_DEFLATE_RESULT)
    if(NOT QUORLAN_DEFLATE_RESULT EQUAL 0)
        message(FATAL_ERROR "libdeflate could not be cross-built")
    endif()
endif()
add_library(Deflate::Deflate STATIC IMPORTED)
set_target_properties(Deflate::Deflate PROPERTIES
    IMPORTED_LOCATION ${QUORLAN_DEFLATE_PREFIX}/lib/libdeflate.a
    INTERFACE_INCLUDE_DIRECTORIES ${QUORLAN_DEFLATE_PREFIX}/include)
