# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: one Debian package with the desktop programs, kvtool and kvmail. kvmail is a small
# statically linked C++ runtime program with no dependencies of its own, and a second package for it
# would buy nothing but a second thing to install; a web server runs it only once it is configured.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME reflectory)
set(CPACK_PACKAGE_VENDOR "KV Software")
set(CPACK_PACKAGE_CONTACT "Reflectory 360 maintainers <maintainers@reflectory360.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "360-degree feedback journal, reply program and role editor")
# The description's lines are wrapped to fit a terminal, as the distribution's tools expect.
set(CPACK_PACKAGE_DESCRIPTION
    "Reflectory 360 keeps a person's 360-degree feedback journal: choose a role\n\
profile, answer it about yourself, request feedback by mail, file or web page,\n\
merge the answers, read the ranked results and plan development actions.\n\
Includes the reply program for respondents, the role profile editor, the\n\
kvtool command-line tool and the kvmail CGI gateway for web questionnaires.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What shlibdeps cannot see: the fonts the pages are drawn in, and the desktop's opener and mail
# composer that help and Send hand over to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, xdg-utils")
# The menu, MIME and icon caches are refreshed by the file triggers of desktop-file-utils,
# shared-mime-info and the icon theme; the package brings no maintainer scripts of its own.
set(CPACK_STRIP_FILES ON)
include(CPack)
