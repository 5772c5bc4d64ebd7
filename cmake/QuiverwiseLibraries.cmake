# qw_library_headers(<target>)
# A library exports its own folder and nothing else: its headers are
# included as <folder/Header.h> through a root in the build tree that holds
# only a link to that folder. A header of a library that the includer does
# not link (an upward include) is then not found and the build fails.
function(qw_library_headers target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${root})
  set(link ${root}/${folder})
  set(linked "")
  if(IS_SYMLINK ${link})
    file(READ_SYMLINK ${link} linked)
  endif()
  if(NOT linked STREQUAL CMAKE_CURRENT_SOURCE_DIR) # new, or left by a tree since moved
    file(REMOVE ${link})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${link} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
