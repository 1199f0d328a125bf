# The Debian package: everything the install rules put in place, under /usr.
# `make package` (or cpack in the build folder) writes
# kombrel_VERSION-RELEASE_ARCH.deb into the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kombrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard that combines files into one file and takes them out again")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kombrel file utility packs several files into one container file, each\n"
  "stored unchanged or deflate-compressed, and extracts chosen entries from a\n"
  "container again. It is a small desktop wizard with a Japanese interface,\n"
  "together with the command kombrel, which packs, lists, extracts and tests\n"
  "containers from a terminal.")
set(KOMBREL_PACKAGE_MAINTAINER "Kombrel maintainers <maintainers@kombrel.example>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${KOMBREL_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# dpkg-shlibdeps names the libraries the programs link (Qt 6 Widgets, zlib,
# the C++ runtime) with their versions. Named here: the Qt platform plugins,
# without which the window cannot open (libqt6gui6 only recommends them), and
# the font the form's Japanese texts are drawn in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")

include(CPack)
