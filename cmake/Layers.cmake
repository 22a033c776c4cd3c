# Each library of src/ shows what links it its own headers and nothing else,
# so that an include reaching into a layer the target does not link fails to
# compile. The headers stay where they are: a target's include root in the
# build tree holds links to the headers of its own folder alone (not of its
# subfolders, which are libraries of their own), under the names the sources
# use ("sun/sun_calculator.h").
#
#   nav_layer_headers(TARGET SCOPE FOLDER)
#
# SCOPE is PUBLIC for a library (its own sources and what links it see the
# headers), INTERFACE for a header-only library, PRIVATE for a program.
function(nav_layer_headers target scope folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()
