# Installation layout and the Debian package.
#
#   bin/ferrolux, bin/ferrolux-report
#   share/ferrolux/Transformer-1.jpg ... -4.jpg      construction pictures
#   share/applications/org.ferrolux.Ferrolux.desktop
#   share/icons/hicolor/<n>x<n>/apps/ferrolux.png
#   share/metainfo/org.ferrolux.Ferrolux.metainfo.xml
#   share/man/man1/ferrolux.1.gz, ferrolux-report.1.gz
#   share/doc/ferrolux/copyright, changelog.gz, engineering-checks.md
#
# The calculator recognises this layout at run time (pictures in ../share/ferrolux/ relative to
# the program) and then keeps its data files in the user's data folder.
include(GNUInstallDirs)

set(FERROLUX_LICENSE "MIT" CACHE STRING "Licence of the program (SPDX identifier)")
set(FERROLUX_HOMEPAGE "https://ferrolux.example.org" CACHE STRING "Project home page")
set(FERROLUX_MAINTAINER "Ferrolux maintainers <maintainers@ferrolux.example.org>"
    CACHE STRING "Maintainer of the Debian package")
set(FERROLUX_APP_ID "org.ferrolux.Ferrolux")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS ferrolux-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages and the Debian changelog are installed compressed, without a time stamp in the
# gzip header so that two builds give the same bytes.
find_program(FERROLUX_GZIP gzip REQUIRED)
set(compressed)
foreach(name ferrolux.1 ferrolux-report.1 changelog)
    add_custom_command(
        OUTPUT ${generated}/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}
        COMMAND ${FERROLUX_GZIP} -9n -c ${packaging}/${name} > ${generated}/${name}.gz
        DEPENDS ${packaging}/${name}
        VERBATIM)
    list(APPEND compressed ${generated}/${name}.gz)
endforeach()
add_custom_target(packaging-docs ALL DEPENDS ${compressed})

install(FILES ${generated}/ferrolux-report.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${generated}/changelog.gz
              ${PROJECT_SOURCE_DIR}/docs/engineering-checks.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ferrolux)

if(FERROLUX_BUILD_WINDOW)
    # The About box names the version and the licence.
    target_compile_definitions(ferrolux_window PRIVATE FERROLUX_APP_VERSION="${PROJECT_VERSION}"
                                                       FERROLUX_LICENSE="${FERROLUX_LICENSE}")
    install(TARGETS ferrolux RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${FERROLUX_PICTURES} DESTINATION ${CMAKE_INSTALL_DATADIR}/ferrolux)
    install(FILES ${generated}/ferrolux.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${packaging}/${FERROLUX_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size IN LISTS FERROLUX_ICON_SIZES)
        install(FILES ${FERROLUX_ICON_FOLDER}/ferrolux-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ferrolux.png)
    endforeach()
    configure_file(${packaging}/${FERROLUX_APP_ID}.metainfo.xml.in
                   ${generated}/${FERROLUX_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${generated}/${FERROLUX_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# cpack -G DEB in the build folder: ferrolux_<version>_amd64.deb, its dependencies worked out
# from the binaries by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME ferrolux)
set(CPACK_PACKAGE_VENDOR "The Ferrolux developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${FERROLUX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for small mains transformers in valve equipment")
set(CPACK_PACKAGE_DESCRIPTION
    "Ferrolux analyses a small mains transformer with one to six secondaries, as\n"
    "used in valve (vacuum-tube) equipment. From the primary's voltage and\n"
    "resistance, each secondary's voltage, load current and resistance, the\n"
    "construction type and the outer dimensions it finds unknown load currents,\n"
    "corrects the voltages for loading and reports every winding's power and\n"
    "copper dissipation, the power density and an estimated temperature.\n"
    ".\n"
    "The package holds the calculator window and ferrolux-report, which prints\n"
    "the same report from a saved design for scripts and checks.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${FERROLUX_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FERROLUX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_GENERATOR DEB)
include(CPack)
