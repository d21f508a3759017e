# What "cmake --install" puts in place: the program and tallyfield-cli, the help pages and,
# when it is built, the shipped database, beside a desktop entry and an icon so that the
# desktop lists the program. The program reads its database and help from its working
# directory, so the desktop entry starts it in the folder that holds them.
include(GNUInstallDirs)

set(TALLYFIELD_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tallyfield)

install(TARGETS tallyfield tallyfield-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/Help/ DESTINATION ${TALLYFIELD_DATA_DIR}/Help)
if(TALLYFIELD_DATABASE)
    install(FILES ${CMAKE_BINARY_DIR}/run/Table/FootballClubs.sqlite DESTINATION ${TALLYFIELD_DATA_DIR}/Table)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/tallyfield.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The desktop entry names the installed program and its folder, which are known only when
# installing (cmake --install --prefix may choose another prefix than the build's).
install(CODE "
    set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
    set(TALLYFIELD_PROGRAM \"\${prefix}/${CMAKE_INSTALL_BINDIR}/tallyfield\")
    set(TALLYFIELD_FULL_DATA_DIR \"\${prefix}/${TALLYFIELD_DATA_DIR}\")
    set(entry \"\$ENV{DESTDIR}\${prefix}/${CMAKE_INSTALL_DATADIR}/applications/tallyfield.desktop\")
    message(STATUS \"Installing: \${entry}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/resources/tallyfield.desktop.in\" \"\${entry}\" @ONLY)
")
