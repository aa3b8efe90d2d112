# The program's translations: data/translations/velmora_<language>.ts, kept up to date with the
# sources by scripts/translations (lupdate), made into .qm files by lrelease in the program
# folder's translations folder, where the program looks for them. Debian's qt6-l10n-tools has
# lrelease without Qt's LinguistTools CMake package (that one comes with the Designer's
# development files), so the command is called directly.
find_program(VELMORA_LRELEASE NAMES lrelease lrelease-qt6 HINTS /usr/lib/qt6/bin "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
if(NOT VELMORA_LRELEASE)
    message(FATAL_ERROR "lrelease is missing (Debian: qt6-l10n-tools; scripts/setup installs it)")
endif()

set(VELMORA_LANGUAGES de fr es)
set(VELMORA_QM_FILES)
foreach(language ${VELMORA_LANGUAGES})
    set(ts ${CMAKE_SOURCE_DIR}/data/translations/velmora_${language}.ts)
    set(qm ${VELMORA_APPDIR}/translations/velmora_${language}.qm)
    add_custom_command(OUTPUT ${qm}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_APPDIR}/translations
        COMMAND ${VELMORA_LRELEASE} -silent ${ts} -qm ${qm}
        DEPENDS ${ts}
        COMMENT "Making the ${language} translation"
        VERBATIM)
    list(APPEND VELMORA_QM_FILES ${qm})
endforeach()
add_custom_target(velmora_translations ALL DEPENDS ${VELMORA_QM_FILES})
