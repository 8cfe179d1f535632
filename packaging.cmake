# What `cmake --install` puts under the prefix, and the package that CPack
# builds from it: a Debian package, or for the Windows build a ZIP file
# (cmake --workflow --preset windows-package).
set(CPACK_PACKAGE_NAME tanshuku)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  install(TARGETS tanshuku RUNTIME DESTINATION .)
  install(FILES packaging/windows/README.txt DESTINATION .)
  if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
    install(FILES LICENSE DESTINATION .)
  endif()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tanshuku-${CPACK_PACKAGE_VERSION}-win64)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)

install(TARGETS tanshuku RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tanshuku-utf8 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/tanshuku.1 man/tanshuku-utf8.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES man/ja/tanshuku.1 man/ja/tanshuku-utf8.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
install(FILES README.md docs/accuracy.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/accuracy/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/accuracy
        FILES_MATCHING PATTERN "*.png")

set(CPACK_PACKAGE_CONTACT "tanshuku developers <tanshuku@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "design aid for shortened (loaded) HF antennas")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "design aid for shortened (loaded) HF antennas
 tanshuku is an interactive console program, in Japanese, that computes the
 numbers a shortened antenna needs: the element's characteristic impedance
 and the loading-coil inductance for base or centre loading, the inductance
 or turns of a single-layer coil, the feed-point impedance of a conductor,
 the radiation efficiency of a loaded element and the length of a half-wave
 dipole. Its screens are Shift-JIS; tanshuku-utf8 starts it on a UTF-8
 terminal, or with UTF-8 pipes and files, converting both ways.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB)
include(CPack)
