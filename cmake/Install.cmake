# Install rules and the Debian package.
include(GNUInstallDirs)

set(POMROLA_APP_ID example.pomrola.Pomrola99)
if(WIN32)
    install(TARGETS pomrola99 RUNTIME DESTINATION .)  # the DLLs and plugins go beside it
else()
    install(TARGETS pomrola99 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(UNIX AND NOT APPLE)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/${POMROLA_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/${POMROLA_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/pomrola99-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME pomrola99.png)
    endforeach()
endif()

set(CPACK_PACKAGE_NAME pomrola99)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VENDOR "Команда Помролы")
set(CPACK_PACKAGE_CONTACT "Команда Помролы <team@pomrola.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Puzzle game: swap neighbouring balls to make lines of one colour")
set(CPACK_PACKAGE_DESCRIPTION
    "An 8 by 8 board of balls in eight colours. Swap a ball with a neighbour to make a line of three\n or more of one colour. The twenty best results can be shared through a network folder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Stand-ins for Times New Roman, MS Sans Serif and Tahoma.
# Qt's own Russian texts for its buttons and dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, qt6-translations-l10n")
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
endif()
include(CPack)
