# Runs the real game (not the runner) under the dummy drivers on a private copy of the game
# directory with NAME.content/ laid over it, sends it SIGTERM after TERM_AFTER seconds if it is
# still running, and checks its exit status and standard error. A game that ignores the signal
# is killed 5 seconds later and fails (status 137).
#   -DGAME= -DBINARY= -DWORK= -DCONTENT= -DTERM_AFTER= -DEXPECT_STATUS= -DEXPECT_STDERR=
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${GAME}/ DESTINATION ${WORK}/game PATTERN "veloria-*" EXCLUDE)
file(COPY_FILE ${BINARY} ${WORK}/game/veloria)
file(GLOB_RECURSE overlay RELATIVE ${CONTENT} ${CONTENT}/*)
foreach(f ${overlay})
  get_filename_component(d ${WORK}/game/${f} DIRECTORY)
  file(MAKE_DIRECTORY ${d})
  file(COPY_FILE ${CONTENT}/${f} ${WORK}/game/${f})
endforeach()
set(ENV{SDL_VIDEODRIVER} dummy)
set(ENV{SDL_AUDIODRIVER} dummy)
execute_process(COMMAND timeout --preserve-status -k 5 ${TERM_AFTER} ${WORK}/game/veloria
                WORKING_DIRECTORY ${WORK}/game RESULT_VARIABLE rc ERROR_VARIABLE err)
message("${err}")
if(NOT rc EQUAL EXPECT_STATUS)
  message(FATAL_ERROR "veloria exited with ${rc}, wanted ${EXPECT_STATUS}")
endif()
string(FIND "${err}" "${EXPECT_STDERR}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "standard error lacks: ${EXPECT_STDERR}")
endif()
