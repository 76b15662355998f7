# What `cmake --install` puts in place: the programs, the component libraries with their public
# headers, the CMake package "Cheques" (imported targets Cheques::<component>) and one pkg-config
# file per component. The programs go into the "programs" package, the rest into "dev".
include(GNUInstallDirs)

# Libraries in the multiarch folder, as Debian keeps them, whatever the prefix.
set(CHEQUES_LIBDIR ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE AND CHEQUES_LIBDIR STREQUAL "lib")
    set(CHEQUES_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
endif()
include(CMakePackageConfigHelpers)

# Public headers lie under include/cheques/<component>/ in the tree and once installed; a consumer
# puts include/ on its path and writes #include "cheques/db/DB_Dll.h".
set(CHEQUES_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR})
set(CHEQUES_CMAKE_DIR ${CHEQUES_LIBDIR}/cmake/Cheques)
set(CHEQUES_PKGCONFIG_DIR ${CHEQUES_LIBDIR}/pkgconfig)

# The components, each a library; the order is the order of their dependencies.
set(CHEQUES_COMPONENTS
    runtime ui_seam ui vexilo menus ado db db_widgets lookup_archivos lookup app)

# The pkg-config name of what a component links: a component, Qt or a system library.
function(cheques_pkgconfig_name library out)
    if(library IN_LIST CHEQUES_COMPONENTS)
        set(${out} cheques-${library} PARENT_SCOPE)
    elseif(library MATCHES "^Qt6::(.+)$")
        set(${out} Qt6${CMAKE_MATCH_1} PARENT_SCOPE)
    elseif(library STREQUAL "SQLite::SQLite3")
        set(${out} sqlite3 PARENT_SCOPE)
    elseif(library STREQUAL "ODBC::ODBC")
        set(${out} odbc PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

# What a pkg-config consumer compiles with besides the include folder: the headers' language level.
# No -fPIC: code generation is the consumer's own choice (Debian rejects it in a .pc file), as in
# Qt's own pkg-config files; the compiler's default position-independent executables satisfy
# Qt's check for code built against it with reduced relocations.
set(CHEQUES_PC_CFLAGS "-std=c++20")

# A pkg-config file for the component, relocatable: the prefix is found from the file's place.
function(cheques_write_pkgconfig component)
    get_target_property(links ${component} LINK_LIBRARIES)
    set(requires "")
    foreach(library IN LISTS links)
        cheques_pkgconfig_name("${library}" name)
        if(name)
            list(APPEND requires ${name})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES requires)
    list(JOIN requires " " CHEQUES_PC_REQUIRES)
    file(RELATIVE_PATH CHEQUES_PC_TO_PREFIX /${CHEQUES_PKGCONFIG_DIR} /)
    string(REGEX REPLACE "/$" "" CHEQUES_PC_TO_PREFIX "${CHEQUES_PC_TO_PREFIX}")
    set(CHEQUES_PC_COMPONENT ${component})
    get_target_property(options ${component} INTERFACE_LINK_OPTIONS)
    set(CHEQUES_PC_LINK_OPTIONS "")
    if(options)
        string(REPLACE "LINKER:" "-Wl," CHEQUES_PC_LINK_OPTIONS "${options}")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/cheques.pc.in
        ${PROJECT_BINARY_DIR}/pkgconfig/cheques-${component}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/cheques-${component}.pc
        DESTINATION ${CHEQUES_PKGCONFIG_DIR} COMPONENT dev)
endfunction()

# The public include folders of a library hold for the build; once installed, the include folder
# of every component is the one include/.
set(CHEQUES_PUBLIC_INCLUDE_FOLDERS "")
function(cheques_export_library component)
    get_target_property(folders ${component} INTERFACE_INCLUDE_DIRECTORIES)
    if(NOT folders)
        set(folders "")
    endif()
    set(wrapped "")
    foreach(folder IN LISTS folders)
        list(APPEND wrapped "$<BUILD_INTERFACE:${folder}>")
    endforeach()
    list(APPEND wrapped "$<INSTALL_INTERFACE:${CHEQUES_INCLUDE_DIR}>")
    set_target_properties(${component} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${wrapped}"
        OUTPUT_NAME cheques_${component})
    # The headers are C++20 (operator<=>, concepts): a consumer compiles them at that level
    # whatever its own default.
    target_compile_features(${component} PUBLIC cxx_std_20)
    set(CHEQUES_PUBLIC_INCLUDE_FOLDERS ${CHEQUES_PUBLIC_INCLUDE_FOLDERS} ${folders} PARENT_SCOPE)
    cheques_write_pkgconfig(${component})
endfunction()

foreach(component IN LISTS CHEQUES_COMPONENTS)
    cheques_export_library(${component})
endforeach()

# Each folder holds cheques/<component>/, so the headers land in include/cheques/<component>/.
list(REMOVE_DUPLICATES CHEQUES_PUBLIC_INCLUDE_FOLDERS)
list(TRANSFORM CHEQUES_PUBLIC_INCLUDE_FOLDERS APPEND /)
install(DIRECTORY ${CHEQUES_PUBLIC_INCLUDE_FOLDERS} DESTINATION ${CHEQUES_INCLUDE_DIR}
    COMPONENT dev FILES_MATCHING PATTERN "*.h")

install(TARGETS ${CHEQUES_COMPONENTS} EXPORT ChequesTargets
    ARCHIVE DESTINATION ${CHEQUES_LIBDIR} COMPONENT dev
    LIBRARY DESTINATION ${CHEQUES_LIBDIR} COMPONENT dev)
install(EXPORT ChequesTargets NAMESPACE Cheques:: DESTINATION ${CHEQUES_CMAKE_DIR} COMPONENT dev)

set(CHEQUES_CONFIG_COMPONENTS "${CHEQUES_COMPONENTS}")
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ChequesConfig.cmake.in
    ${PROJECT_BINARY_DIR}/ChequesConfig.cmake INSTALL_DESTINATION ${CHEQUES_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ChequesConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ChequesConfig.cmake
    ${PROJECT_BINARY_DIR}/ChequesConfigVersion.cmake
    DESTINATION ${CHEQUES_CMAKE_DIR} COMPONENT dev)

install(TARGETS cheques consulta dbtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT programs)
