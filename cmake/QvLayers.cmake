# qv_layer_headers(target path...): makes the headers of these folders or files (relative to
# the source root, included as "folder/Name.h") visible to target and to whatever links it,
# and nothing else of the source tree. Each target gets a folder of its own in the build tree
# holding links to its folders only, so a header of a higher layer, which no dependency
# exports, is not found: an upward #include fails to compile.
function(qv_layer_headers target)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  foreach(path IN LISTS ARGN)
    cmake_path(GET path PARENT_PATH parent)
    file(MAKE_DIRECTORY ${root}/${parent})
    if(NOT EXISTS ${root}/${path})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
