# cmake -DNM=... -DLIBRARY=... -P CheckSharedObjectExports.cmake
# Fails unless the shared object's dynamic symbol table defines exactly the two entries that
# Linux hosts look for, VSTPluginMain and main, as functions.
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE dump
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} -D ${LIBRARY} failed")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${dump}")
set(names "")
foreach(line IN LISTS lines)
  # Absolute symbols (version nodes) name no code. Each match resets CMAKE_MATCH_1, so the
  # name is matched last.
  if(NOT line MATCHES " A " AND line MATCHES " [A-Za-z] ([^ ]+)$")
    list(APPEND names "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(SORT names)
if(NOT names STREQUAL "VSTPluginMain;main")
  message(FATAL_ERROR "expected the exports VSTPluginMain and main, found: ${names}")
endif()
foreach(line IN LISTS lines)
  if(line MATCHES " ([A-Za-z]) (VSTPluginMain|main)$" AND NOT CMAKE_MATCH_1 STREQUAL "T")
    message(FATAL_ERROR "${CMAKE_MATCH_2} is no function: ${line}")
  endif()
endforeach()
message(STATUS "${LIBRARY} exports only VSTPluginMain and main")
