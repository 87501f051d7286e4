# The Debian package (scripts/package): everything the install rules put in
# place, under /usr. dpkg-shlibdeps turns the libraries the program links
# into the package's dependencies; the rest are what Qt loads at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quizdex)
set(CPACK_PACKAGE_VENDOR "Quizdex developers")
set(CPACK_PACKAGE_CONTACT "Quizdex developers <quizdex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write tests and take them")
set(CPACK_PACKAGE_DESCRIPTION
    "Quizdex is a small desktop program in which an author writes tests of
true/false, typed-answer and multiple-choice questions, and candidates take
them with questions drawn at random, feedback after each answer, a bar chart
of the final score and a score log per candidate.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUIZDEX_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin, and the fonts whose metrics the fixed layouts of the
# windows were drawn for. No Wayland plugin: the windows place themselves in
# the centre of the screen, which Wayland does not let a program do, so Qt
# runs them through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(CPack)
