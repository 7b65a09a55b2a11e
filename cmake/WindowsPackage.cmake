# The Windows package: pomrola99.exe with what it needs beside it (Qt's and the
# MinGW run-time DLLs, the platform and style plugins, Qt's Russian
# translations), as an installer made by NSIS and as a zip.

install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
        message(FATAL_ERROR "The compiler does not know where ${dll} is")
    endif()
    get_filename_component(dll_path "${dll_path}" REALPATH)
    install(FILES ${dll_path} DESTINATION .)
    # Debian ships them with debugging information: four times the size.
    install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${dll}\")")
endforeach()

# From the build machine's Qt (qt6-translations-l10n): the texts do not depend on the system.
find_file(QTBASE_RU_QM qtbase_ru.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(QTBASE_RU_QM)
    install(FILES ${QTBASE_RU_QM} DESTINATION translations)
else()
    message(WARNING "qtbase_ru.qm not found (Debian package qt6-translations-l10n): Qt's dialogs will speak English")
endif()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGING_INSTALL_PREFIX "")
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Pomrola99)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Pomrola99)
set(CPACK_PACKAGE_EXECUTABLES pomrola99 "Помрола 99")  # the Start-menu shortcut
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME "Помрола 99")
set(CPACK_NSIS_DISPLAY_NAME "Помрола 99")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/pomrola99.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/pomrola99.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME pomrola99.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/makensis-win64.sh)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
