# The Debian package, built by cpack -G DEB in the build folder from what cmake --install puts
# in place. Included by the top-level CMakeLists.txt, where CPack must be included.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel developers")
set(CPACK_PACKAGE_CONTACT "Quorvel developers <quorvel@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "answers questions about a Hotline file server's transfers")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel reads a Hotline file server's transfer logs and account
folders and tells its operators every file downloaded or uploaded with
its number of transfers, every account with its number of transfers and
the accounts with none, the number one downloader and uploader, what a
user name, file or account has transferred, and when the server is busy
and from which addresses, for all time or a chosen period. The window
saves answers as text, exports them as CSV and draws them as charts;
quorvel-report gives the same answers as text, CSV or JSON for scripts.
The program only reads the server's files.")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
# The dependencies are the libraries the executables link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
include(CPack)
