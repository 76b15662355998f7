# The API reference (CHEQUES_DOCS): HTML written by Doxygen from the public headers, installed
# with the components ("dev") under share/doc/cheques-dev/html, beside examples/picker. Doxygen
# runs twice from docs/Doxyfile.in. The first run reads only the headers of the classes every
# program of the family calls, warning about each public member without a comment; the second
# writes the reference of every public header, the others listed with the comments they have
# (Doxygen turns the undocumented-member warning off wherever it lists everything). Any warning
# of either run fails the build.
option(CHEQUES_DOCS "Build the API reference with Doxygen (scripts/docs)" OFF)
set(CHEQUES_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs CACHE PATH
    "Folder of the API reference (the HTML goes into its html/)")
set(CHEQUES_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/cheques-dev)

install(FILES ${PROJECT_SOURCE_DIR}/examples/picker/CMakeLists.txt
    ${PROJECT_SOURCE_DIR}/examples/picker/picker.cpp
    DESTINATION ${CHEQUES_DOC_DIR}/examples/picker COMPONENT dev)

if(NOT CHEQUES_DOCS)
    return()
endif()
find_package(Doxygen REQUIRED COMPONENTS doxygen)

# The headers whose every public member must be documented.
set(CHEQUES_DOCUMENTED_HEADERS
    db/include/cheques/db/DB_Dll.h
    db/include/cheques/db/LeerConfig.h
    lookup/include/cheques/lookup/Lib_ClsCons3.h
    menus/include/cheques/menus/FrmMenus.h
    vexilo/include/cheques/vexilo/VexIni.h
    vexilo/include/cheques/vexilo/VexUtil.h)

# Writes the Doxygen configuration of one run into FILE.
function(cheques_doxyfile file output input extract_all warn_undocumented html xml)
    set(CHEQUES_DOCS_OUTPUT ${output})
    list(JOIN input " " CHEQUES_DOCS_INPUT)
    list(JOIN CHEQUES_PUBLIC_INCLUDE_FOLDERS " " CHEQUES_DOCS_INCLUDE_FOLDERS)
    set(CHEQUES_DOCS_EXTRACT_ALL ${extract_all})
    set(CHEQUES_DOCS_WARN_IF_UNDOCUMENTED ${warn_undocumented})
    set(CHEQUES_DOCS_HTML ${html})
    set(CHEQUES_DOCS_XML ${xml})
    configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${file} @ONLY)
endfunction()

set(documented "")
foreach(header IN LISTS CHEQUES_DOCUMENTED_HEADERS)
    list(APPEND documented ${PROJECT_SOURCE_DIR}/${header})
endforeach()
# The first run writes only XML, the cheapest output that still reports undocumented members.
cheques_doxyfile(${PROJECT_BINARY_DIR}/Doxyfile-documented ${PROJECT_BINARY_DIR}/docs-documented
    "${documented}" NO YES NO YES)
cheques_doxyfile(${PROJECT_BINARY_DIR}/Doxyfile ${CHEQUES_DOCS_OUTPUT}
    "${CHEQUES_PUBLIC_INCLUDE_FOLDERS};${PROJECT_SOURCE_DIR}/docs/mainpage.md" YES NO YES NO)

file(GLOB_RECURSE public_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/*/include/cheques/*.h)
set(stamp ${CHEQUES_DOCS_OUTPUT}/html/index.html)
add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/docs-documented
        ${CHEQUES_DOCS_OUTPUT}/html
    COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/Doxyfile-documented
    COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/Doxyfile
    DEPENDS ${public_headers} ${PROJECT_SOURCE_DIR}/docs/mainpage.md
        ${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_SOURCE_DIR}/examples/picker/picker.cpp
        ${PROJECT_BINARY_DIR}/runtime/include/cheques/Version.h
    COMMENT "Writing the API reference with Doxygen"
    VERBATIM)
add_custom_target(docs ALL DEPENDS ${stamp})

install(DIRECTORY ${CHEQUES_DOCS_OUTPUT}/html DESTINATION ${CHEQUES_DOC_DIR} COMPONENT dev)
