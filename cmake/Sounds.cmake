# The start and end sounds lie beside the executable in the build tree (and on
# Windows); an installed program finds them in <prefix>/share/nav_manager.
set(NAV_SOUND_FILES
  ${PROJECT_SOURCE_DIR}/assets/sounds/StartSound.wav
  ${PROJECT_SOURCE_DIR}/assets/sounds/EndSound.wav)

set(_nav_copied_sounds)
foreach(_sound IN LISTS NAV_SOUND_FILES)
  get_filename_component(_name ${_sound} NAME)
  set(_copy ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${_name})
  add_custom_command(
    OUTPUT ${_copy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_sound} ${_copy}
    DEPENDS ${_sound}
    COMMENT "Copying ${_name} next to the programs")
  list(APPEND _nav_copied_sounds ${_copy})
endforeach()

add_custom_target(nav_sounds ALL DEPENDS ${_nav_copied_sounds})
install(FILES ${NAV_SOUND_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/nav_manager)
