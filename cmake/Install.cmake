# Desktop integration: the launcher, the MIME types of photometric files, the application icon
# in the hicolor theme and the file managers' thumbnailer. The two programs install themselves
# (apps/*/CMakeLists.txt).
if(NOT (GONILUX_BUILD_GUI AND TARGET gonilux AND TARGET gonilux-cli))
  return()
endif()

include(GNUInstallDirs)

set(GONILUX_ICON_SIZES 16 32 48 64 128 256)
set(_gonilux_icon_svg ${CMAKE_SOURCE_DIR}/resources/icons/gonilux.svg)
set(_gonilux_icon_dir ${CMAKE_BINARY_DIR}/icons/hicolor)

# The PNG sizes are drawn from the SVG at build time by a small Qt program, so no image tool
# is needed beyond Qt itself.
add_executable(gonilux_render_icon ${CMAKE_SOURCE_DIR}/resources/icons/render_icon.cpp)
target_link_libraries(gonilux_render_icon PRIVATE Qt6::Gui Qt6::Svg)

set(_gonilux_icon_pngs)
foreach(size IN LISTS GONILUX_ICON_SIZES)
  list(APPEND _gonilux_icon_pngs ${_gonilux_icon_dir}/${size}x${size}/apps/gonilux.png)
endforeach()
add_custom_command(
  OUTPUT ${_gonilux_icon_pngs}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:gonilux_render_icon> ${_gonilux_icon_svg} ${_gonilux_icon_dir}
          ${GONILUX_ICON_SIZES}
  DEPENDS gonilux_render_icon ${_gonilux_icon_svg}
  COMMENT "Drawing the application icon's PNG sizes"
  VERBATIM)
add_custom_target(gonilux_icons ALL DEPENDS ${_gonilux_icon_pngs})

set(_gonilux_desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
install(FILES ${_gonilux_desktop}/org.gonilux.Gonilux.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_gonilux_desktop}/gonilux.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${_gonilux_desktop}/gonilux.thumbnailer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${_gonilux_icon_svg}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS GONILUX_ICON_SIZES)
  install(FILES ${_gonilux_icon_dir}/${size}x${size}/apps/gonilux.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The software centres' entry, the manual pages and the bash completion. The first two carry the
# version (cmake/Version.cmake); the manual pages are compressed as Debian installs them.
set(_gonilux_metainfo ${CMAKE_BINARY_DIR}/metainfo/org.gonilux.Gonilux.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/resources/metainfo/org.gonilux.Gonilux.metainfo.xml.in ${_gonilux_metainfo}
               @ONLY)
install(FILES ${_gonilux_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(_gonilux_man_pages)
foreach(page gonilux gonilux-cli)
  set(_page ${CMAKE_BINARY_DIR}/man/${page}.1)
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page}.1 ${_page} @ONLY)
  add_custom_command(OUTPUT ${_page}.gz
                     COMMAND gzip -9nf -k ${_page}
                     DEPENDS ${_page}
                     COMMENT "Compressing the manual page ${page}(1)"
                     VERBATIM)
  list(APPEND _gonilux_man_pages ${_page}.gz)
endforeach()
add_custom_target(gonilux_man_pages ALL DEPENDS ${_gonilux_man_pages})
install(FILES ${_gonilux_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# bash-completion loads share/bash-completion/completions/NAME of any of the data folders when
# NAME is first completed; one script serves both programs.
foreach(program gonilux gonilux-cli)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/completion/gonilux
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program})
endforeach()
