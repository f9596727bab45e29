# Installs both programs with their man pages, desktop entry, icons, AppStream metainfo, copyright
# and changelog, and makes the Debian package with CPack:
#   cmake --build build/dev && cpack --config build/dev/CPackConfig.cmake -G DEB -B build/dev/package
# The window's own install rules (program, desktop entry, icons) are in resources/.
include(GNUInstallDirs)
install(TARGETS veltrane-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# veltrane-calc --chart loads its drawing module from ../lib/veltrane beside the program.
if(TARGET veltrane_chart_module)
    install(TARGETS veltrane_chart_module LIBRARY DESTINATION lib/veltrane)
endif()

if(NOT (UNIX AND NOT APPLE AND VELTRANE_BUILD_GUI))
    return()
endif()

set(veltrane_package veltrane)
set(veltrane_resources "${CMAKE_CURRENT_SOURCE_DIR}/resources")
set(veltrane_generated "${CMAKE_CURRENT_BINARY_DIR}/package-files")
# help2man comes with the test packages (tools/install-deps test); ./run, which builds the two
# programs alone, does without the package.
find_program(HELP2MAN help2man)
if(NOT HELP2MAN)
    message(STATUS "help2man not found: the Debian package is left out of this build")
    return()
endif()
find_program(GZIP gzip REQUIRED)

# veltrane-calc's page is made from its --help and --version, so it cannot fall behind them;
# the window's is written by hand. Debian wants man pages and changelogs compressed, reproducibly.
add_custom_command(
    OUTPUT "${veltrane_generated}/veltrane-calc.1.gz"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${veltrane_generated}"
    COMMAND ${HELP2MAN} --no-info --section=1 --source=Maravent
            "--name=calculate cooling tower designs in bulk from CSV files"
            --output=${veltrane_generated}/veltrane-calc.1 $<TARGET_FILE:veltrane-calc>
    COMMAND ${GZIP} -9nf "${veltrane_generated}/veltrane-calc.1"
    DEPENDS veltrane-calc
    COMMENT "Man page of veltrane-calc from its --help"
    VERBATIM)
add_custom_command(
    OUTPUT "${veltrane_generated}/veltrane.1.gz" "${veltrane_generated}/veltrane-performance.1.gz"
           "${veltrane_generated}/changelog.gz"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${veltrane_generated}"
    COMMAND ${GZIP} -9nc "${veltrane_resources}/man/veltrane.1" > veltrane.1.gz
    COMMAND ${GZIP} -9nc "${veltrane_resources}/man/veltrane-performance.1"
            > veltrane-performance.1.gz
    COMMAND ${GZIP} -9nc "${veltrane_resources}/debian/changelog" > changelog.gz
    WORKING_DIRECTORY "${veltrane_generated}"
    DEPENDS "${veltrane_resources}/man/veltrane.1" "${veltrane_resources}/man/veltrane-performance.1"
            "${veltrane_resources}/debian/changelog"
    COMMENT "Compressed man pages of the windows and the package changelog")
add_custom_target(veltrane_package_files ALL
    DEPENDS "${veltrane_generated}/veltrane-calc.1.gz" "${veltrane_generated}/veltrane.1.gz"
            "${veltrane_generated}/veltrane-performance.1.gz" "${veltrane_generated}/changelog.gz")

install(FILES "${veltrane_generated}/veltrane.1.gz" "${veltrane_generated}/veltrane-calc.1.gz"
              "${veltrane_generated}/veltrane-performance.1.gz"
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${veltrane_resources}/veltrane.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME com.maravent.veltrane.metainfo.xml)
install(FILES "${veltrane_resources}/veltrane-performance.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME com.maravent.veltrane.performance.metainfo.xml)
install(FILES "${veltrane_resources}/debian/copyright" "${veltrane_generated}/changelog.gz"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${veltrane_package})

set(CPACK_PACKAGE_NAME ${veltrane_package})
set(CPACK_PACKAGE_VENDOR "${VELTRANE_COMPANY}")
set(CPACK_PACKAGE_VERSION "${VELTRANE_VERSION_TEXT}")
set(CPACK_PACKAGE_CONTACT "Maravent <veltrane@maravent.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "thermal performance of wet counter-flow cooling towers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Veltrane sizes and checks a wet, counter-flow, mechanical-draft cooling tower:\n"
    "twelve design inputs in, sixteen results out, among them the tower\n"
    "characteristic KaV/L by the four-point Chebyshev form of the Merkel integral.\n"
    "The package holds the design window (veltrane), the performance window\n"
    "(veltrane-performance: the rating, demand curves and worksheet, live as\n"
    "the inputs change) and the batch calculator veltrane-calc, which\n"
    "calculates many designs at once from CSV files.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces the windows, the diagram and the printed report ask for by name; shlibdeps cannot
# see them, and without them the texts fall to faces of other widths and no longer fit.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation, fonts-urw-base35")
# Qt's own German texts for the standard buttons beside the performance window's translation,
# which is built in; without them those buttons read English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
