# Runs `cmake --install` into PREFIX and fails unless the programs, the
# desktop entry, both icons, the AppStream file and the man pages are
# installed where desktops and man look for them (the Debian packages take
# them from there too).
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
        share/icons/hicolor/32x32/apps/quenvale.png
        share/metainfo/org.quenvale.Quenvale.metainfo.xml
        share/man/man1/quenvale.1.gz
        share/man/ja/man1/quenvale.1.gz
        share/man/man1/quenvale-calc.1.gz
        share/man/ja/man1/quenvale-calc.1.gz)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
