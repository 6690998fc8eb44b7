# "cpack -G DEB" in the build tree (make package) makes build/tickora_VERSION_ARCH.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tickora)
set(CPACK_PACKAGE_VENDOR "The Tickora developers")
set(CPACK_PACKAGE_CONTACT "The Tickora developers <developers@tickora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "portfolio of securities with quotations fetched from web pages")
# CPack puts the summary on the first line; this is the extended description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tickora keeps a portfolio of securities (shares, funds, indices, currencies)
and fetches their current quotations from ordinary web pages by rules you
write: a start text with tags and numbers to skip, or a regular expression.
It keeps every item's quotation history, records buys, sells and dividends,
imports historical price files and exports quotations as text or
spreadsheet files.
.
The package holds the desktop program tickora and tickora-cli, which offers
the same portfolios and quotation servers to scripts and to machines
without a display.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tickora.org/")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Depends from the libraries the binaries link (dpkg-shlibdeps); the package's binaries are stripped,
# the build tree's are not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcurl is loaded when the first download starts and libxml2 when an XPath rule first needs it, so
# dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.85), libxml2 (>= 2.9.10)")
# Qt's own dialogs in the user's language; the program's translations are built into it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
