# The Linux program installed like any other: `cmake --install` and a Debian package (cpack) put
# the setup program in bin/ as cd-setup, beside the maker tools, with a desktop entry that a
# desktop offers for an inserted Windows software disc and for a disc image, the icon in the
# hicolor theme and AppStream metainfo.
include(GNUInstallDirs)
set(SETUP_APP_ID org.example.DiscSetup)
set(linux_resources ${CMAKE_SOURCE_DIR}/resources/linux)

# Installed as targets, so that a stripping install strips them, then given the names that say
# what they are: on the disc the program is "setup", on the machine it lives among all others.
install(TARGETS setup sndpack setupcheck RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(rename "setup;cd-setup" "sndpack;cd-setup-sndpack" "setupcheck;cd-setup-check")
    list(GET rename 0 built)
    list(GET rename 1 installed)
    install(CODE "file(RENAME \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${built}\"
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${installed}\")")
endforeach()
# The helper that gives a Wine prefix the disc as a CD-ROM drive through Wine's mount manager, so
# that the running Wine session knows the drive at once; a Windows program, built where mingw-w64
# is installed (without it the drive is known from the next Wine session on).
find_program(SETUP_MINGW_GCC x86_64-w64-mingw32-gcc)
if(SETUP_MINGW_GCC)
    set(disc_drive_helper ${CMAKE_BINARY_DIR}/bin/cd-setup-define-disc-drive.exe)
    add_custom_command(OUTPUT ${disc_drive_helper}
        COMMAND ${SETUP_MINGW_GCC} -O2 -Wall -Wextra -municode -s -I${CMAKE_SOURCE_DIR}/src
                -o ${disc_drive_helper} ${linux_resources}/wine/DefineDiscDrive.c
        DEPENDS ${linux_resources}/wine/DefineDiscDrive.c ${CMAKE_SOURCE_DIR}/src/platform/win32/WineMountManager.h)
    add_custom_target(define_disc_drive ALL DEPENDS ${disc_drive_helper})
    install(PROGRAMS ${disc_drive_helper} DESTINATION lib/cd-setup)
else()
    message(STATUS "No x86_64-w64-mingw32-gcc: the Wine disc drive helper is not built")
endif()
install(FILES ${linux_resources}/${SETUP_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux_resources}/${SETUP_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${linux_resources}/icons/cd-setup-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME cd-setup.png)
endforeach()
install(FILES ${linux_resources}/icons/cd-setup.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/cd-setup)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cd-setup)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "CD setup developers <cd-setup@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Install a game from its CD or from an image of the disc")
set(CPACK_PACKAGE_DESCRIPTION "The setup program of a game shipped on a CD, started on the inserted disc,\n a copy of it or an image of it (mounted for the run without administrator rights).\n A Windows game is installed into the Wine prefix that will start it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries (the toolkit, the codecs, the locale data) are found from the program itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The readme's menu entry and the program group open with the desktop's opener, so the package
# needs it; Windows games run in Wine; disc images are mounted through fuseiso, or udisks in a
# desktop session; the icons of Windows programs come out with icoutils.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, wine64, fuseiso, icoutils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "udisks2")
include(CPack)
