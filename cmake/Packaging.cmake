# Installing both programs, the desktop integration of each platform, and the
# Debian package (cpack -G DEB).
include(GNUInstallDirs)

set(QUORVANE_APP_ID org.quorvane.Quorvane)

install(TARGETS quorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quorvane-app
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)

if(APPLE)
    set_target_properties(quorvane-app PROPERTIES
        MACOSX_BUNDLE ON
        OUTPUT_NAME Quorvane
        MACOSX_BUNDLE_BUNDLE_NAME Quorvane
        MACOSX_BUNDLE_GUI_IDENTIFIER ${QUORVANE_APP_ID}
        MACOSX_BUNDLE_SHORT_VERSION_STRING ${PROJECT_VERSION}
        MACOSX_BUNDLE_BUNDLE_VERSION ${PROJECT_VERSION}
        MACOSX_BUNDLE_ICON_FILE Quorvane.icns
        MACOSX_BUNDLE_INFO_PLIST ${PROJECT_SOURCE_DIR}/packaging/macos/Info.plist.in)
elseif(WIN32)
    set_target_properties(quorvane-app PROPERTIES WIN32_EXECUTABLE ON)
else()
    install(FILES packaging/linux/${QUORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/linux/${QUORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES app/resources/quorvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUORVANE_APP_ID}.svg)
endif()

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <developers@quorvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Swap the personal data in a spreadsheet for stand-ins, and put it back")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvane)
set(CPACK_PACKAGE_EXECUTABLES quorvane-app Quorvane)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the programs link come from dpkg-shlibdeps; Qt's plugins and
# the secret service are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnome-keyring | keepassxc | kwalletmanager")
include(CPack)
