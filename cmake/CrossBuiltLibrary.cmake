# Libraries for the Windows build, cross-built once per build folder from Debian's source
# packages by a script of tools/, then found under the same names as the native libraries.
#   quorlan_cross_built_library(TARGET Isal::Isal NAME isa-l LIBRARY libisal.a
#       NOTICE LICENSE SCRIPT build-isal-mingw.sh ARGS ${CMAKE_C_COMPILER})
# Each is built as on one fixed day, whatever the clock says (a library that writes its build date,
# libjpeg-turbo's version string, reads it from SOURCE_DATE_EPOCH), so that the exe built from one
# commit has the same bytes on any day; a library built for another day is built again.
set(QUORLAN_SOURCE_DATE_EPOCH 1767225600) # 2026-01-01 00:00 UTC

function(quorlan_cross_built_library)
    cmake_parse_arguments(LIB "" "TARGET;NAME;LIBRARY;NOTICE;SCRIPT" "ARGS" ${ARGN})
    set(prefix ${CMAKE_BINARY_DIR}/${LIB_NAME})
    set(stamp ${prefix}/built-as-of-${QUORLAN_SOURCE_DATE_EPOCH})
    if(NOT EXISTS ${prefix}/lib/${LIB_LIBRARY} OR NOT EXISTS ${prefix}/notices/${LIB_NOTICE}
       OR NOT EXISTS ${stamp})
        message(STATUS "Cross-building ${LIB_NAME} into ${prefix}")
        file(REMOVE_RECURSE ${prefix})
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${QUORLAN_SOURCE_DATE_EPOCH}
                    bash ${PROJECT_SOURCE_DIR}/tools/${LIB_SCRIPT} ${prefix} ${LIB_ARGS}
            RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "${LIB_NAME} could not be cross-built")
        endif()
        file(TOUCH ${stamp})
    endif()
    add_library(${LIB_TARGET} STATIC IMPORTED GLOBAL)
    set_target_properties(${LIB_TARGET} PROPERTIES
        IMPORTED_LOCATION ${prefix}/lib/${LIB_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include)
endfunction()
