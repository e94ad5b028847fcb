# Runs one veloria-play script against a private copy of the game directory, so saved games
# written by a script never leak into the built game or into another script.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${GAME}/ DESTINATION ${WORK}/game PATTERN "veloria*" EXCLUDE)
# A replay of a content bug carries the broken files beside it: NAME.content/ holds files laid
# over the copy (same relative paths), so the script runs on exactly the content that failed.
get_filename_component(script_dir ${SCRIPT} DIRECTORY)
get_filename_component(script_name ${SCRIPT} NAME_WE)
if(IS_DIRECTORY ${script_dir}/${script_name}.content)
  # file(COPY) would skip a file whose time stamp matches the one it replaces.
  file(GLOB_RECURSE overlay RELATIVE ${script_dir}/${script_name}.content
       ${script_dir}/${script_name}.content/*)
  foreach(f ${overlay})
    get_filename_component(d ${WORK}/game/${f} DIRECTORY)
    file(MAKE_DIRECTORY ${d})
    file(COPY_FILE ${script_dir}/${script_name}.content/${f} ${WORK}/game/${f})
  endforeach()
endif()
set(ENV{SDL_VIDEODRIVER} dummy)
set(ENV{SDL_AUDIODRIVER} dummy)
# Comment directives in the script: "# expect-status: N" (default 0) and any number of
# "# expect-stderr: TEXT" lines, each a text the runner's standard error must contain.
file(STRINGS ${SCRIPT} status_lines REGEX "^# expect-status: ")
set(expected_status 0)
foreach(l ${status_lines})
  string(REGEX REPLACE "^# expect-status: *" "" expected_status "${l}")
endforeach()
file(STRINGS ${SCRIPT} stderr_lines REGEX "^# expect-stderr: ")
execute_process(COMMAND ${PLAY} --content ${WORK}/game --script ${SCRIPT}
                        --dump ${WORK}/dump.txt --shots ${WORK}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
message("${err}")
if(NOT rc EQUAL expected_status)
  message(FATAL_ERROR "veloria-play exited with ${rc} on ${SCRIPT}, wanted ${expected_status}")
endif()
foreach(l ${stderr_lines})
  string(REGEX REPLACE "^# expect-stderr: " "" wanted "${l}")
  string(FIND "${err}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "standard error of ${SCRIPT} lacks: ${wanted}")
  endif()
endforeach()
# A playthrough split in parts: NAME.next names the script that goes on from the game this one
# saved in slot 1; that script carries its copy of the save, which must be exactly this one's.
if(EXISTS ${script_dir}/${script_name}.next)
  file(STRINGS ${script_dir}/${script_name}.next next LIMIT_COUNT 1)
  set(carried ${script_dir}/${next}.content/data/villains/v45.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/game/data/villains/v45.txt
                          ${carried} RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "${SCRIPT} saved another game than ${carried}: regenerate the scripts")
  endif()
endif()
