# The installed layout: the program folder in lib/velmora (the program, its encoder as
# asapi.dll, the profiles, the help page, the shipped preferences and the translations), links to the program
# and the encoder in bin, what the desktop needs (the menu entry, icons and AppStream
# metadata), the manual pages and the bash completion.
set(VELMORA_ID org.example.velmora.Velmora)
set(VELMORA_INSTALL_APPDIR lib/velmora)

install(TARGETS velmora velmora-encoder RUNTIME DESTINATION ${VELMORA_INSTALL_APPDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Profiles DESTINATION ${VELMORA_INSTALL_APPDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/Tavisol.html ${CMAKE_SOURCE_DIR}/data/Preferences.ini
        DESTINATION ${VELMORA_INSTALL_APPDIR})
install(FILES ${VELMORA_QM_FILES} DESTINATION ${VELMORA_INSTALL_APPDIR}/translations)

# The launcher: a relative link, so the program finds its folder wherever the prefix is.
# The encoder gets one too, under the name its manual page gives it.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/launcher)
file(CREATE_LINK ../${VELMORA_INSTALL_APPDIR}/velmora ${CMAKE_BINARY_DIR}/launcher/velmora SYMBOLIC)
file(CREATE_LINK ../${VELMORA_INSTALL_APPDIR}/asapi.dll ${CMAKE_BINARY_DIR}/launcher/velmora-encoder SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/launcher/velmora ${CMAKE_BINARY_DIR}/launcher/velmora-encoder DESTINATION bin)

install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${VELMORA_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${VELMORA_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${VELMORA_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)

# What Debian wants of every package's documentation folder.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/data/debian/changelog > ${CMAKE_BINARY_DIR}/doc/changelog.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/data/debian/changelog
    VERBATIM)
add_custom_target(velmora_doc ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/velmora.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/data/debian/velmora.1 > ${CMAKE_BINARY_DIR}/doc/velmora.1.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/data/debian/velmora.1
    VERBATIM)
add_custom_target(velmora_man ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/velmora.1.gz)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/velmora-encoder.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/data/debian/velmora-encoder.1 > ${CMAKE_BINARY_DIR}/doc/velmora-encoder.1.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/data/debian/velmora-encoder.1
    VERBATIM)
add_custom_target(velmora_encoder_man ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/velmora-encoder.1.gz)
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION share/doc/velmora)
install(FILES ${CMAKE_BINARY_DIR}/doc/velmora.1.gz ${CMAKE_BINARY_DIR}/doc/velmora-encoder.1.gz DESTINATION share/man/man1)
# bash-completion loads it the first time "velmora" is completed.
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/velmora.bash-completion
        DESTINATION share/bash-completion/completions RENAME velmora)

# The Debian package (scripts/package): dependencies from the binaries, plus the Qt
# platform plugins the program cannot show a window without.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velmora <velmora-support@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "join several video files into one")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Velmora joins several videos into one file: add them from a dialog, a folder,
by dropping them on the window or from the command line, put them in order,
pick a profile (MP4, WebM, MKV, DVD-style MPEG-2, AVI, WMV or FLV) and press
Start. Every video keeps its own length and its sound stays with its picture
at each join; videos of other sizes and frame rates are fitted in, never
stretched.")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://velmora.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The preview plays through Qt Multimedia's GStreamer backend: demuxers and decoders for every
# kind of file the task list takes (MP4, MOV, MKV, WebM, FLV, MPEG-2 TS, ASF and WMV, RealMedia,
# ...), and a sound output (PulseAudio's is among the good plugins; ALSA's for a desktop without
# a sound server).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, gstreamer1.0-plugins-ugly, gstreamer1.0-libav")
# Qt's own translations give the standard buttons (Yes, No, Cancel) the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, gstreamer1.0-alsa, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
