# What "cmake --install" puts where a Linux desktop expects it, and the Debian package built
# from the same rules ("cpack -G DEB" in the build folder, or scripts/package.sh).
#
# PREFIX/share/veltaro beside PREFIX/bin is also how the program knows it is installed: it
# then keeps each user's archives in the user's own data folder (see ProgramFolder).
install(TARGETS veltaro veltaro-cli RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/resources/unins000.dll DESTINATION share/veltaro)
# The guide, once there is one beside the program.
install(FILES ${VELTARO_BIN_DIR}/Guida.pdf DESTINATION share/veltaro OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/resources/veltaro.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/veltaro.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/veltaro-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME veltaro.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/veltaro)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltaro)
set(CPACK_PACKAGE_VENDOR Veltaro)
set(CPACK_PACKAGE_CONTACT "Veltaro <assistenza@veltaro.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Anagrafica lavoratori, turni, progetti, registro lavori e compensi")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Veltaro tiene l'anagrafica dei lavoratori di una piccola azienda o associazione, gli orari,\n"
       "i turni giornalieri e settimanali, i progetti, il registro dei lavori, i riepiloghi dei\n"
       "compensi e le statistiche mensili. Gli archivi di ogni utente stanno nella sua cartella\n"
       "personale, con copie di sicurezza a ogni avvio.")
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
