# Plays tests/render/screens.play on a private copy of the game directory and compares every
# frame it writes with the pixel digests in tests/render/reference.txt.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/shots)
file(COPY ${GAME}/ DESTINATION ${WORK}/game PATTERN "veloria*" EXCLUDE)
set(ENV{SDL_VIDEODRIVER} dummy)
set(ENV{SDL_AUDIODRIVER} dummy)
execute_process(COMMAND ${PLAY} --content ${WORK}/game --script ${SCRIPT} --shots ${WORK}/shots
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "veloria-play exited with ${rc} on ${SCRIPT}")
endif()
execute_process(COMMAND ${DIGEST} --check ${REFERENCE} ${WORK}/shots RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "frames differ from ${REFERENCE}; the shots are in ${WORK}/shots")
endif()
