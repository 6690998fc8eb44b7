# The translations of the desktop program: translations/tickora_<language>.ts, compiled by lrelease and built
# into tickora_gui as resources under :/translations, so the program and the GUI tests carry them.
# `scripts/update-translations` (also the target update_translations) refreshes the .ts files from the sources.
find_package(Qt6 6.4 REQUIRED COMPONENTS LinguistTools)

set(TICKORA_TS_FILES ${CMAKE_SOURCE_DIR}/translations/tickora_de.ts)
qt_add_lrelease(tickora_gui TS_FILES ${TICKORA_TS_FILES} QM_FILES_OUTPUT_VARIABLE tickora_qm_files)
qt_add_resources(tickora_gui tickora_translations PREFIX /translations BASE ${CMAKE_CURRENT_BINARY_DIR}
  FILES ${tickora_qm_files})

add_custom_target(update_translations COMMAND ${CMAKE_SOURCE_DIR}/scripts/update-translations
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} USES_TERMINAL VERBATIM)
