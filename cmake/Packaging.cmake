# What "cmake --install" puts where a Linux desktop expects it, and the Debian package built
# from the same rules ("cpack -G DEB" in the build folder, or scripts/package.sh).
#
# PREFIX/share/veltaro beside PREFIX/bin is also how the program knows it is installed: it
# then keeps each user's archives in the user's own data folder (see ProgramFolder).
install(TARGETS veltaro veltaro-cli RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/resources/unins000.dll DESTINATION share/veltaro)
# The guide, once there is one beside the program.
install(FILES ${VELTARO_BIN_DIR}/Guida.pdf DESTINATION share/veltaro OPTIONAL)
# Desktop entry and software-centre data share the program's id, the reverse of its web
# address (www.veltaro.it).
set(VELTARO_APP_ID it.veltaro.Veltaro)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${VELTARO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${VELTARO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/veltaro.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/veltaro-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME veltaro.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/veltaro-cli.bash
        DESTINATION share/bash-completion/completions RENAME veltaro-cli)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION share/doc/veltaro)

# The changelog and the manual pages, compressed as Debian wants them. The pages are written
# from the programs' own --help and --version, so they cannot drift from what the programs do.
set(VELTARO_DOC_BUILD_DIR ${CMAKE_BINARY_DIR}/doc)
set(changelog ${PROJECT_SOURCE_DIR}/resources/debian/changelog)
add_custom_command(OUTPUT ${VELTARO_DOC_BUILD_DIR}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELTARO_DOC_BUILD_DIR}
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${changelog} ${VELTARO_DOC_BUILD_DIR}/changelog.gz
  DEPENDS ${changelog}
  VERBATIM)
set(doc_outputs ${VELTARO_DOC_BUILD_DIR}/changelog.gz)
find_program(HELP2MAN help2man)
if(HELP2MAN)
  foreach(page "veltaro|gestione del personale: anagrafica, turni, progetti, lavori e compensi|veltaro-cli"
               "veltaro-cli|interroga gli archivi di Veltaro dalla riga di comando|veltaro")
    string(REPLACE "|" ";" page "${page}")
    list(GET page 0 program)
    list(GET page 1 summary)
    list(GET page 2 see_also)
    add_custom_command(OUTPUT ${VELTARO_DOC_BUILD_DIR}/${program}.1.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VELTARO_DOC_BUILD_DIR}
      COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/manpage.sh $<TARGET_FILE:${program}> ${summary}
              ${VELTARO_DOC_BUILD_DIR}/${program}.1.gz ${see_also} ${changelog} ${VELTARO_DOC_BUILD_DIR}/locale
      DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/manpage.sh ${changelog}
      COMMENT "Writing the manual page ${program}(1)"
      VERBATIM)
    list(APPEND doc_outputs ${VELTARO_DOC_BUILD_DIR}/${program}.1.gz)
    install(FILES ${VELTARO_DOC_BUILD_DIR}/${program}.1.gz DESTINATION share/man/man1)
  endforeach()
else()
  message(WARNING "help2man is missing (scripts/deps.sh installs it): no manual pages")
endif()
add_custom_target(docs ALL DEPENDS ${doc_outputs})
install(FILES ${VELTARO_DOC_BUILD_DIR}/changelog.gz DESTINATION share/doc/veltaro)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltaro)
set(CPACK_PACKAGE_VENDOR Veltaro)
set(CPACK_PACKAGE_CONTACT "Veltaro <assistenza@veltaro.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Anagrafica lavoratori, turni, progetti, registro lavori e compensi")
# Debian shows these lines as they are: at most 80 characters each.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Veltaro tiene l'anagrafica dei lavoratori di una piccola azienda o\n"
       "associazione, gli orari, i turni giornalieri e settimanali, i progetti, il\n"
       "registro dei lavori, i riepiloghi dei compensi e le statistiche mensili.\n"
       "Gli archivi di ogni utente stanno nella sua cartella personale, con copie di\n"
       "sicurezza a ogni avvio; veltaro-cli risponde sugli stessi archivi dalla riga\n"
       "di comando.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The Qt libraries are found from the programs themselves; the screen plugin and the fonts
# the prints are laid out with are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
