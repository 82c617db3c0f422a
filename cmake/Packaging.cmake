# The Debian package: `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr, as
# scripts/package.sh does. The libraries the programs link come from dpkg-shlibdeps; what they
# load by name at run time is listed here.
set(CPACK_PACKAGE_NAME quillmar)
set(CPACK_PACKAGE_VENDOR "The Quillmar developers")
set(CPACK_PACKAGE_CONTACT "The Quillmar developers <developers@quillmar.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chart and analyse the daily price history of securities")
# The package's long description, in lines short enough for Debian's tools.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Quillmar charts the daily price history of stocks, indices, currencies and"
    "futures from one text price file per symbol, in any of the usual layouts:"
    "daily, weekly or monthly charts, or the ratio of two symbols, as lines, bars"
    "or candles, with thirty technical indicators, and trend lines, channels,"
    "pitchforks and retracement levels drawn over them. It downloads and updates"
    "price histories from public quote services, and saves, copies and prints its"
    "charts. The command-line tool quillmar-cli draws the same charts and exports"
    "their values without a desktop.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The chart fonts (Tahoma and Wingdings from fonts-wine, Arial from fonts-liberation for
# printing) are opened as files, and libcurl is loaded on the first download, so none of them
# is seen by dpkg-shlibdeps. 7.85 brought the protocol lists the HTTP client sets.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation, libcurl4 (>= 7.85.0)")
set(CPACK_STRIP_FILES ON)
include(CPack)
