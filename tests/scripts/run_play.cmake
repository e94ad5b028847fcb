# Runs one veloria-play script against a private copy of the game directory, so saved games
# written by a script never leak into the built game or into another script.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${GAME}/ DESTINATION ${WORK}/game PATTERN "veloria*" EXCLUDE)
set(ENV{SDL_VIDEODRIVER} dummy)
set(ENV{SDL_AUDIODRIVER} dummy)
execute_process(COMMAND ${PLAY} --content ${WORK}/game --script ${SCRIPT}
                        --dump ${WORK}/dump.txt --shots ${WORK}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "veloria-play exited with ${rc} on ${SCRIPT}")
endif()
