# What `cmake --install` lays out, and the Debian package CPack makes of it:
#   bin/tolvi, bin/tolvi-cli
#   share/applications/tolvi.desktop, share/metainfo/tolvi.metainfo.xml,
#   share/icons/hicolor/scalable/apps/tolvi.svg
#   share/man/man1/tolvi.1, tolvi-cli.1
#   share/tolvi/Tolvi.html (the help, Info > Info), share/tolvi/kelmor.htm (Info > Contacto),
#   in Spanish, and Tolvi.<code>.html, kelmor.<code>.htm in each other language (ca, en)
#   share/doc/tolvi/copyright (the licence)
set(TOLVI_DATADIR ${CMAKE_INSTALL_DATADIR}/tolvi)

install(TARGETS tolvi-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES docs/man/tolvi-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian keeps a package's licence as share/doc/<package>/copyright.
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvi RENAME copyright)

if(TARGET tolvi)
  install(TARGETS tolvi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES data/tolvi.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES data/tolvi.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  configure_file(data/tolvi.metainfo.xml ${PROJECT_BINARY_DIR}/data/tolvi.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/data/tolvi.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES docs/man/tolvi.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${TOLVI_INFO_FILES} DESTINATION ${TOLVI_DATADIR})
endif()

# The Debian package: cpack --config build/run/CPackConfig.cmake (any preset works).
set(TOLVI_PACKAGE_CONTACT "Tolvi developers <tolvi@localhost>" CACHE STRING
    "Maintainer of the Debian package (name <address>)")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvi)
set(CPACK_PACKAGE_VENDOR "Tolvi developers")
set(CPACK_PACKAGE_CONTACT "${TOLVI_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "progressions, interest and annuities: solve and compose exercises")
# The long description; CPack puts the summary above it and indents it as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tolvi is a program for Spanish-speaking students and teachers. Type three of
the quantities of an arithmetic or geometric progression, or of a case of
simple or compound interest or of an annuity, and Tolvi finds the rest,
lists the terms and writes the exercise as text: a statement and its answer.

tolvi-cli does the same without a window, for scripts and worksheets.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
