# Installation: the program folder (the program, the device library, language
# files, Skins/, Help/, Package/) under lib/tessel/, a bin/tessel link to the
# program, and the desktop files at their standard places. The program finds
# everything beside its own executable, so the link is all the launcher needs.
include(GNUInstallDirs)

set(TESSEL_INSTALL_DIR lib/tessel)
set(tessel_linux ${PROJECT_SOURCE_DIR}/data/linux)
set(tessel_generated ${CMAKE_BINARY_DIR}/install-files)

install(TARGETS tessel RUNTIME DESTINATION ${TESSEL_INSTALL_DIR})
install(TARGETS Torvex LIBRARY DESTINATION ${TESSEL_INSTALL_DIR} NAMELINK_SKIP)
install(DIRECTORY ${TESSEL_PROGRAM_DIR}/
        DESTINATION ${TESSEL_INSTALL_DIR}
        FILES_MATCHING PATTERN "Lang*.ini")
# Skins/ is drawn at build time; Help/ is the shipped page with the picture of
# the window that the build takes, as the page shows it.
install(DIRECTORY ${TESSEL_PROGRAM_DIR}/Skins DESTINATION ${TESSEL_INSTALL_DIR})
install(DIRECTORY ${TESSEL_PROGRAM_DIR}/Help/ DESTINATION ${TESSEL_INSTALL_DIR}/Help)
# Firmware updaters are not shipped; the update dialog looks here.
install(DIRECTORY DESTINATION ${TESSEL_INSTALL_DIR}/Package)

file(MAKE_DIRECTORY ${tessel_generated})
file(CREATE_LINK ../${TESSEL_INSTALL_DIR}/tessel ${tessel_generated}/tessel SYMBOLIC)
install(FILES ${tessel_generated}/tessel DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${tessel_linux}/tessel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Under the system's configuration folder, so a user switches it off in the
# desktop's settings (a hidden copy in ~/.config/autostart wins). The prefix
# is known only when installing: /usr puts it into /etc, as distributions do.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(autostart /etc/xdg/autostart)
  else()
    set(autostart \"\${CMAKE_INSTALL_PREFIX}/etc/xdg/autostart\")
  endif()
  file(INSTALL DESTINATION \"\${autostart}\" TYPE FILE RENAME tessel.desktop
       FILES \"${tessel_linux}/tessel-autostart.desktop\")
")
install(FILES ${TESSEL_PROGRAM_DIR}/Skins/icon141.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME tessel.png)
install(FILES ${tessel_linux}/70-torvex.rules DESTINATION lib/udev/rules.d)

configure_file(${tessel_linux}/io.github.tessel.Tessel.metainfo.xml
               ${tessel_generated}/io.github.tessel.Tessel.metainfo.xml @ONLY)
install(FILES ${tessel_generated}/io.github.tessel.Tessel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Manual pages are kept compressed, at the best ratio and without a time
# stamp, so the package builds the same each time.
configure_file(${tessel_linux}/tessel.1 ${tessel_generated}/tessel.1 @ONLY)
execute_process(COMMAND gzip -9nc ${tessel_generated}/tessel.1
                OUTPUT_FILE ${tessel_generated}/tessel.1.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${tessel_generated}/tessel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The metainfo's screenshot, made by the program's own screenshot mode against
# the simulated keyboard, in a private home so nothing of the user's is read.
install(CODE "
  set(shots \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tessel/screenshots\")
  set(home \"${CMAKE_BINARY_DIR}/screenshot-home\")
  file(REMOVE_RECURSE \"\${home}\")
  file(MAKE_DIRECTORY \"\${shots}\" \"\${home}/run\")
  file(CHMOD \"\${home}/run\" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  execute_process(
    COMMAND \${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen TORVEX_BACKEND=sim
            HOME=\${home} XDG_CONFIG_HOME=\${home}/config XDG_RUNTIME_DIR=\${home}/run
            XDG_DATA_HOME=\${home}/data XDG_STATE_HOME=\${home}/state ASAN_OPTIONS=detect_leaks=0
            \"$<TARGET_FILE:tessel>\" --screenshot \"\${shots}/main-window.png\"
    RESULT_VARIABLE status TIMEOUT 60)
  if(NOT status EQUAL 0 OR NOT EXISTS \"\${shots}/main-window.png\")
    message(FATAL_ERROR \"The screenshot for the metainfo could not be made (\${status})\")
  endif()
  file(REMOVE_RECURSE \"\${home}\")
")
