# The Debian packages, made by CPack from what `cmake --install` puts in place:
#   cheques      the programs, the desktop entry, the icon, the manual pages and the demo script;
#   cheques-dev  the component libraries, their headers, the CMake package and pkg-config files.
# The programs' dependencies are computed from the binaries (dpkg-shlibdeps).
set(CHEQUES_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(FILES ${CHEQUES_PACKAGING_DIR}/cheques.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT programs)
install(FILES ${CHEQUES_PACKAGING_DIR}/cheques.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT programs)

# Manual pages and the changelog, compressed as Debian keeps them (gzip -n: no time stamp, the
# same bytes on every build).
find_program(CHEQUES_GZIP gzip REQUIRED)
set(CHEQUES_COMPRESSED "")
function(cheques_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CHEQUES_GZIP} -9nc ${source} > ${output}
        DEPENDS ${source} VERBATIM)
    set(CHEQUES_COMPRESSED ${CHEQUES_COMPRESSED} ${output} PARENT_SCOPE)
endfunction()

foreach(program cheques consulta dbtool)
    set(page ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
    cheques_gzip(${CHEQUES_PACKAGING_DIR}/man/${program}.1 ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
endforeach()
set(CHEQUES_CHANGELOG ${PROJECT_BINARY_DIR}/doc/changelog.gz)
cheques_gzip(${CHEQUES_PACKAGING_DIR}/changelog ${CHEQUES_CHANGELOG})
add_custom_target(cheques_docs ALL DEPENDS ${CHEQUES_COMPRESSED})

# Every package carries its copyright and changelog in /usr/share/doc/<package>.
foreach(package programs:cheques dev:cheques-dev)
    string(REPLACE ":" ";" pair ${package})
    list(GET pair 0 component)
    list(GET pair 1 name)
    install(FILES ${CHEQUES_PACKAGING_DIR}/copyright ${CHEQUES_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${name} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cheques)
set(CPACK_PACKAGE_VENDOR Vexilo)
set(CPACK_PACKAGE_CONTACT "Vexilo <soporte@vexilo.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_COMPONENTS_ALL programs dev)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME cheques)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION misc)
# Qt's own texts (standard buttons, prompts) in Spanish.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_COMPONENT_PROGRAMS_DESCRIPTION
    "cheque portfolio window and back-office database tools
Consulta de Cheques: the window of the cheques held in portfolio that are due
to be credited today. With it come consulta, a record picker for scripts
(the lookup window on any table or SELECT statement), and dbtool, the
database component from the command line. Both open a demo database when no
connection is given.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME cheques-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev, libsqlite3-dev, unixodbc-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "back-office components for the programs of the family (development)
The database access component (SQL Server and Oracle through unixODBC, the
embedded SQLite database), the configuration reader, the lookup windows, the
popup-menu host and the INI store as static libraries with their headers, a
CMake package (find_package(Cheques COMPONENTS db lookup)) and pkg-config
files.")

include(CPack)
