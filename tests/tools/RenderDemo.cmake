# cmake -DEMULATOR=... -DDEMO=make-demo-loop -DHOST=quaverhost -DPLUGIN=... -DWORK=dir -P RenderDemo.cmake
# The programs as a user runs them: make the demo loop, render it to 16-bit with its
# metronome as a MIDI file, and check that a failing render leaves nothing behind and
# that no run writes over what it reads.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expected)
  execute_process(COMMAND ${EMULATOR} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(expected STREQUAL "ok" AND NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${result}):\n${out}${err}")
  elseif(expected STREQUAL "fail" AND result EQUAL 0)
    message(FATAL_ERROR "${ARGN} should have failed:\n${out}")
  elseif(expected STREQUAL "clash" AND NOT result EQUAL 2)
    message(FATAL_ERROR "${ARGN} should have been refused with status 2 (${result}):\n${err}")
  endif()
endfunction()

run(ok ${DEMO} ${WORK}/loop.wav 22050)
run(ok ${HOST} render ${PLUGIN} ${WORK}/loop.wav ${WORK}/out.wav --bits 16 --quiet
    --smf-out ${WORK}/clicks.mid)
# Eight seconds of 16-bit stereo at 22050 Hz behind a 44-byte header.
file(SIZE ${WORK}/out.wav size)
if(NOT size EQUAL 705644)
  message(FATAL_ERROR "out.wav has ${size} bytes, expected 705644")
endif()
file(READ ${WORK}/clicks.mid head LIMIT 4)
if(NOT head STREQUAL "MThd")
  message(FATAL_ERROR "clicks.mid is no MIDI file")
endif()

run(fail ${HOST} render ${PLUGIN} ${WORK}/loop.wav ${WORK}/bad.wav --param Depth=7)
file(SHA256 ${WORK}/loop.wav loop)
run(clash ${HOST} render ${PLUGIN} ${WORK}/loop.wav ${WORK}/./loop.wav)
run(clash ${HOST} render ${PLUGIN} ${WORK}/loop.wav ${WORK}/out.wav --events-out ${WORK}/loop.wav)
file(SHA256 ${WORK}/loop.wav after)
if(NOT loop STREQUAL after)
  message(FATAL_ERROR "a refused render changed its input")
endif()
run(fail ${DEMO} ${WORK})
file(GLOB left RELATIVE ${WORK} ${WORK}/*)
list(SORT left)
if(NOT left STREQUAL "clicks.mid;loop.wav;out.wav")
  message(FATAL_ERROR "failed runs left files behind: ${left}")
endif()
file(REMOVE_RECURSE ${WORK})
