# libjpeg-turbo for the Windows build: cross-built once per build folder from Debian's source
# package, then found as JPEG::JPEG like the native library.
set(QUORLAN_JPEG_PREFIX ${CMAKE_BINARY_DIR}/libjpeg-turbo)
if(NOT EXISTS ${QUORLAN_JPEG_PREFIX}/lib/libjpeg.a OR
   NOT EXISTS ${QUORLAN_JPEG_PREFIX}/notices/LICENSE.md)
    message(STATUS "Cross-building libjpeg-turbo into ${QUORLAN_JPEG_PREFIX}")
    execute_process(
        COMMAND bash ${PROJECT_SOURCE_DIR}/tools/build-libjpeg-mingw.sh ${QUORLAN_JPEG_PREFIX}
                ${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
        RESULT_VARIABLE QUORLAN_JPEG_RESULT)
    if(NOT QUORLAN_JPEG_RESULT EQUAL 0)
        message(FATAL_ERROR "libjpeg-turbo could not be cross-built")
    endif()
endif()
add_library(JPEG::JPEG STATIC IMPORTED)
set_target_properties(JPEG::JPEG PROPERTIES
    IMPORTED_LOCATION ${QUORLAN_JPEG_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${QUORLAN_JPEG_PREFIX}/include)
