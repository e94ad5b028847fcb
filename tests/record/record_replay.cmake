# A session recorded through the real window (SDL's dummy video driver, the real SDL clock, the
# window's own event queue fed with the keys of FEED) must replay headless to the same state,
# field by field, and save the same game. The recording starts from saved games in slots 1..3,
# which the replay gets only through the recording's NAME.content overlay.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(copy rec replay)
  file(COPY ${GAME}/ DESTINATION ${WORK}/${copy} PATTERN "veloria*" EXCLUDE)
endforeach()
file(GLOB saves ${SAVES}/data/villains/v4*.txt)
file(COPY ${saves} DESTINATION ${WORK}/rec/data/villains)
set(ENV{SDL_VIDEODRIVER} dummy)
set(ENV{SDL_AUDIODRIVER} dummy)
set(ENV{XDG_DATA_HOME} ${WORK}/xdg)

execute_process(COMMAND ${PLAY} --window --record ${WORK}/session.play --feed ${FEED}
                        --content ${WORK}/rec
                RESULT_VARIABLE rc ERROR_VARIABLE err)
message("${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the recording exited with ${rc}")
endif()
foreach(f session.play session.dump session.content/data/villains/v45.txt
          session.content/data/villains/v47.txt)
  if(NOT EXISTS ${WORK}/${f})
    message(FATAL_ERROR "the recording wrote no ${f}")
  endif()
endforeach()
file(STRINGS ${WORK}/session.play keys REGEX "^key ")
list(LENGTH keys key_count)
if(NOT key_count EQUAL 21)
  message(FATAL_ERROR "the recording kept ${key_count} keys of the feed's 21")
endif()

# The replay, as the recording's own head comment says: no saved games but the overlay's.
file(GLOB stale ${WORK}/replay/data/villains/v4[5-7].txt)
if(stale)
  file(REMOVE ${stale})
endif()
file(COPY ${WORK}/session.content/ DESTINATION ${WORK}/replay)
execute_process(COMMAND ${PLAY} --content ${WORK}/replay --script ${WORK}/session.play
                        --dump ${WORK}/replay.dump
                RESULT_VARIABLE rc ERROR_VARIABLE err)
message("${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the replay exited with ${rc}")
endif()

file(STRINGS ${WORK}/session.dump recorded)
file(STRINGS ${WORK}/replay.dump replayed)
list(LENGTH recorded n)
list(LENGTH replayed m)
if(n LESS 60 OR NOT n EQUAL m)
  message(FATAL_ERROR "the dumps have ${n} and ${m} fields")
endif()
set(differ "")
math(EXPR last "${n} - 1")
foreach(i RANGE ${last})
  list(GET recorded ${i} a)
  list(GET replayed ${i} b)
  if(NOT a STREQUAL b)
    string(APPEND differ "\n  recorded: ${a}\n  replayed: ${b}")
  endif()
endforeach()
if(differ)
  message(FATAL_ERROR "the replay ends elsewhere than the recorded session:${differ}")
endif()
# The session got somewhere: on the map of level 1 after a save, with time played.
foreach(wanted "gameState 1" "level.number 1")
  list(FIND recorded "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the session did not end with ${wanted}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/rec/data/villains/v45.txt
                        ${WORK}/replay/data/villains/v45.txt RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "the replay saved another game into slot 1 than the session")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/rec/data/villains/v45.txt
                        ${WORK}/session.content/data/villains/v45.txt RESULT_VARIABLE same)
if(same EQUAL 0)
  message(FATAL_ERROR "the session saved nothing over the slot it started with")
endif()
