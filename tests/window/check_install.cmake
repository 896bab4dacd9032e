# Runs `cmake --install` into PREFIX and fails unless the program, its
# desktop entry and both icons are installed where desktops look for them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result
    OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
        bin/quenvale
        share/applications/quenvale.desktop
        share/icons/hicolor/16x16/apps/quenvale.png
        share/icons/hicolor/32x32/apps/quenvale.png)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
