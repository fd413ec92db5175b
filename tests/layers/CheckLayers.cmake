# cmake -DBUILD_DIR=... -DPROBES=target=header;... -P CheckLayers.cmake
# Builds each probe, which includes a header of a higher layer than the one it links, and
# fails unless every build fails because that header cannot be found.
foreach(probe IN LISTS PROBES)
  string(REPLACE "=" ";" fields "${probe}")
  list(GET fields 0 target)
  list(GET fields 1 header)
  execute_process(
    COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(result EQUAL 0)
    message(SEND_ERROR "${target}: compiled, so its layer can see ${header}")
  elseif(NOT output MATCHES "${header}: No such file or directory")
    message(SEND_ERROR "${target}: failed, but not on the missing ${header}:\n${output}")
  else()
    message(STATUS "${target}: refused ${header}")
  endif()
endforeach()
