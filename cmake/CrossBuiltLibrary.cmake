# Libraries for the Windows build, cross-built once per build folder from Debian's source
# packages by a script of tools/, then found under the same names as the native libraries.
#   quorlan_cross_built_library(TARGET Isal::Isal NAME isa-l LIBRARY libisal.a
#       NOTICE LICENSE SCRIPT build-isal-mingw.sh ARGS ${CMAKE_C_COMPILER})
function(quorlan_cross_built_library)
    cmake_parse_arguments(LIB "" "TARGET;NAME;LIBRARY;NOTICE;SCRIPT" "ARGS" ${ARGN})
    set(prefix ${CMAKE_BINARY_DIR}/${LIB_NAME})
    if(NOT EXISTS ${prefix}/lib/${LIB_LIBRARY} OR NOT EXISTS ${prefix}/notices/${LIB_NOTICE})
        message(STATUS "Cross-building ${LIB_NAME} into ${prefix}")
        execute_process(
            COMMAND bash ${PROJECT_SOURCE_DIR}/tools/${LIB_SCRIPT} ${prefix} ${LIB_ARGS}
            RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "${LIB_NAME} could not be cross-built")
        endif()
    endif()
    add_library(${LIB_TARGET} STATIC IMPORTED GLOBAL)
    set_target_properties(${LIB_TARGET} PROPERTIES
        IMPORTED_LOCATION ${prefix}/lib/${LIB_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include)
endfunction()
