# The Debian package: `cmake --build BUILD --target package` (or `cpack -G DEB` in BUILD) makes
# gonilux_<version>_<arch>.deb from what `cmake --install` installs, under /usr. Its Depends come
# from dpkg-shlibdeps; Debian's own triggers refresh the MIME, desktop and icon caches and the
# manual page index, so the package carries no maintainer scripts.
if(NOT TARGET gonilux_icons)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gonilux)
set(CPACK_PACKAGE_VENDOR Gonilux)
set(CPACK_PACKAGE_CONTACT "Gonilux maintainers <maintainers@gonilux.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browser of IES and EULUMDAT photometric files")
set(CPACK_PACKAGE_DESCRIPTION [=[
Gonilux shows every IES (IESNA LM-63) and EULUMDAT file of a folder as its polar
diagram, with captions, sorting and filtering by manufacturer, luminaire or lamp.
One file is studied large with its luminous flux, light output ratio, efficacy,
beam and field angles. Type B files convert to type C, EULUMDAT files to IES.
The command-line tool gonilux-cli summarises, converts and draws files in scripts
and makes the file managers' thumbnails.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # gonilux_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${GONILUX_HOMEPAGE}")
# The interface is Chinese by default: it needs a font with Chinese characters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")

include(CPack)
