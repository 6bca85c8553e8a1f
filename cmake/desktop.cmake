# The desktop edition: data beside the built game, the icons, and the installation (binary, data,
# desktop entry, icons, manual page, license) under any prefix.
include(GNUInstallDirs)

# build/rally finds its data from any working directory, as the installed game does.
add_custom_command(TARGET rally POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E create_symlink ${PROJECT_SOURCE_DIR}/data $<TARGET_FILE_DIR:rally>/data)

install(TARGETS rally RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The game looks for its data in ../share/rally from its own folder.
install(DIRECTORY data DESTINATION ${CMAKE_INSTALL_DATADIR}/rally)
configure_file(dist/rally.6.in rally.6 @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/rally.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The desktop entry names the installed binary, so it is written when the prefix is known.
install(CODE "set(RALLY_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(RALLY_APPLICATIONS \"${CMAKE_INSTALL_DATADIR}/applications\")
  set(RALLY_ENTRY_OUT \"${CMAKE_CURRENT_BINARY_DIR}/rally.desktop\")")
install(SCRIPT cmake/desktop_entry.cmake)

# The icons, drawn by the asset generator and kept beside data/ (a test checks them).
foreach(size 16 32 48 64 128 256)
  install(FILES icons/rally-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME rally.png)
endforeach()

# The license, and the copyright of every installed file in Debian's machine-readable format: the
# game's own, and the SDL_gfx font whose glyphs three of the pictures carry.
install(FILES LICENSE dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
