# Installs the whole build into a fresh prefix, moves the prefix elsewhere (an installation
# must not depend on where it was laid out) and runs the installed programs from a folder
# outside the build tree, as a new user does.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=... -P install_test.cmake

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                    WORKING_DIRECTORY ${WORK_DIR}/user)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/user)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/laid
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed (${rc})")
endif()
file(RENAME ${WORK_DIR}/laid ${WORK_DIR}/moved)
set(home ${WORK_DIR}/moved)

foreach(installed bin/tavren bin/tvc2cpp bin/tvc2c bin/tvc2cs bin/tvc2java bin/tvc2xml bin/tvcsim
                  bin/_sp.tn Docs/Tavren-UserGuide.pdf Docs/Tavren-Tutorial.pdf Docs/semantics.md
                  Examples/door.tvc Examples/traffic_light.tvc Examples/Socket_C++/main.cpp
                  share/applications/tavren.desktop)
    if(NOT EXISTS ${home}/${installed})
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

run("tavren --version" ${home}/bin/tavren --version)
if(NOT output STREQUAL "tavren (Tavren) ${VERSION}\n")
    message(FATAL_ERROR "unexpected version line: ${output}")
endif()

run("tavren --export" ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    ${home}/bin/tavren --export ${home}/Examples/traffic_light.tvc lights.png)
file(READ ${WORK_DIR}/user/lights.png magic LIMIT 4 HEX)
if(NOT magic STREQUAL "89504e47")
    message(FATAL_ERROR "the export is not a PNG")
endif()

file(COPY ${home}/Examples/door.tvc DESTINATION ${WORK_DIR}/user)
file(WRITE ${WORK_DIR}/user/no_events.txt "")
run("tvcsim" ${home}/bin/tvcsim door.tvc no_events.txt)
if(NOT output MATCHES "^enter ")
    message(FATAL_ERROR "tvcsim did not start the door: ${output}")
endif()
run("tvc2cpp" ${home}/bin/tvc2cpp -d door.tvc)
foreach(generated doorTN.h doorTN.cpp)
    if(NOT EXISTS ${WORK_DIR}/user/${generated})
        message(FATAL_ERROR "tvc2cpp wrote no ${generated}")
    endif()
endforeach()
