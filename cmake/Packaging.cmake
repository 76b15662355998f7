# What the programs bring beside them: the desktop entry, its icon and the manual pages, installed
# with the programs ("programs" component). The Debian packages are built by debhelper from what
# `cmake --install` puts in place (debian/): it compresses the pages and adds the copyright and
# changelog of each package.
set(CHEQUES_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(FILES ${CHEQUES_PACKAGING_DIR}/cheques.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT programs)
install(FILES ${CHEQUES_PACKAGING_DIR}/cheques.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT programs)
foreach(program cheques consulta dbtool)
    install(FILES ${CHEQUES_PACKAGING_DIR}/man/${program}.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
endforeach()
