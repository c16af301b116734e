# The Debian package: `cpack -G DEB` in the build folder makes
# namenswerk_<version>_<arch>.deb from the install rules, installed under /usr.

set(NAMENSWERK_PACKAGE_MAINTAINER "Namenswerk maintainers <maintainers@namenswerk.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME namenswerk)
set(CPACK_PACKAGE_VENDOR Namenswerk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The extended description of the package, as lines of at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Namenswerk renames many files at once. The user hands it a set of files,"
       "types a pattern for their names and a template for the new names, and sees"
       "every new name change with each key pressed, in a coloured list that tells"
       "which files can be renamed and why others cannot. It never overwrites a file"
       "and can undo its last run. The command namenswerk-batch applies the same"
       "rules from scripts.")
set(CPACK_PACKAGE_CONTACT "${NAMENSWERK_PACKAGE_MAINTAINER}")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${NAMENSWERK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, yet needed: without a platform plugin the window cannot open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
