# The executable's resources: pictures, icon, manifest and version, made by
# scripts/make-resources.sh into the build folder and compiled with windres.
enable_language(RC)

set(PELMORA_RES_DIR ${CMAKE_BINARY_DIR}/res)
set(PELMORA_RES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../scripts/make-resources.sh)
set(PELMORA_RES_FILES
  ${PELMORA_RES_DIR}/banner.gif
  ${PELMORA_RES_DIR}/about-banner.gif
  ${PELMORA_RES_DIR}/about-picture.gif
  ${PELMORA_RES_DIR}/about-note.gif
  ${PELMORA_RES_DIR}/about-emblem.gif
  ${PELMORA_RES_DIR}/pelmora.ico
  ${PELMORA_RES_DIR}/pelmora.manifest
)

add_custom_command(
  OUTPUT ${PELMORA_RES_DIR}/pelmora.rc ${PELMORA_RES_FILES}
  COMMAND bash ${PELMORA_RES_SCRIPT} ${PELMORA_RES_DIR}
  DEPENDS ${PELMORA_RES_SCRIPT}
  COMMENT "Making the pictures and resource script"
  VERBATIM)

# One object library compiles the script once for every program that carries
# it; it also keeps the C++ warning and charset options away from windres.
add_library(pelmora_resources OBJECT ${PELMORA_RES_DIR}/pelmora.rc)
# windres reads the pictures as it compiles; its include scan does not see them.
set_source_files_properties(${PELMORA_RES_DIR}/pelmora.rc PROPERTIES
  OBJECT_DEPENDS "${PELMORA_RES_FILES};${CMAKE_CURRENT_LIST_DIR}/../src/platform/win32/resource_ids.h")

# Links the resource object into an executable.
function(pelmora_add_resources target)
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:pelmora_resources>)
  add_dependencies(${target} pelmora_resources)
endfunction()
