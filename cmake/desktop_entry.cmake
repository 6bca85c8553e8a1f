# Run by `cmake --install`: writes rally.desktop with Exec= naming the installed binary, then
# installs it. Set beforehand: RALLY_BINDIR, RALLY_APPLICATIONS, RALLY_ENTRY_OUT.
get_filename_component(exec "${RALLY_BINDIR}/rally" ABSOLUTE BASE_DIR "${CMAKE_INSTALL_PREFIX}")
# The path is quoted, so any prefix works: inside the quotes ", `, $ and \ take a backslash, the
# value as a whole doubles its backslashes, and % is doubled.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(RALLY_EXEC "\"${exec}\"")
configure_file(${CMAKE_CURRENT_LIST_DIR}/../dist/rally.desktop.in ${RALLY_ENTRY_OUT} @ONLY)
file(INSTALL ${RALLY_ENTRY_OUT} DESTINATION "${CMAKE_INSTALL_PREFIX}/${RALLY_APPLICATIONS}")
