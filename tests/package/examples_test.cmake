# Installs the built Tavren into a fresh prefix and builds every installed example as a user
# does: each folder on its own against that prefix alone, then runs it and compares what it
# prints with its chart's transcript.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DTRANSCRIPTS=... -DPROGRAMS=<folder,...>
#         -DC_COMPILER=... -DCXX_COMPILER=... [-DNINJA=...] [-DFLAGS=...] -P examples_test.cmake

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(configure_options -G Ninja -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_C_FLAGS=${FLAGS}" "-DCMAKE_CXX_FLAGS=${FLAGS}" -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
if(NINJA)
    list(APPEND configure_options -DCMAKE_MAKE_PROGRAM=${NINJA})
endif()
file(REMOVE_RECURSE ${WORK_DIR})
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(installed bin/tvc2c bin/tvc2java bin/tvc2cs Examples/README.md)
    if(NOT EXISTS ${prefix}/${installed})
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
set(chart_Door door)
set(chart_TrafficLight traffic_light)
set(chart_MediaPlayer media_player)
set(chart_History history)
foreach(folder ${PROGRAMS})
    string(REGEX MATCH "^([A-Za-z]+)_(.+)$" match ${folder})
    set(chart ${chart_${CMAKE_MATCH_1}})
    set(language ${CMAKE_MATCH_2})
    set(build ${WORK_DIR}/${folder})
    run("configure ${folder}" ${CMAKE_COMMAND} -S ${prefix}/Examples/${folder} -B ${build}
        ${configure_options})
    run("build ${folder}" ${CMAKE_COMMAND} --build ${build})
    if(language STREQUAL "Java")
        run("${folder}" ${JAVA} -jar ${build}/${chart}_java.jar)
    elseif(language STREQUAL "CSharp")
        run("${folder}" ${MONO} ${build}/${chart}_cs.exe)
    elseif(language STREQUAL "C")
        run("${folder}" ${build}/${chart}_c)
    else()
        run("${folder}" ${build}/${chart}_cpp)
    endif()
    file(READ ${TRANSCRIPTS}/${chart}.txt expected)
    if(NOT output STREQUAL expected)
        message(FATAL_ERROR "${folder} printed:\n${output}\nexpected:\n${expected}")
    endif()
    message(STATUS "${folder}: as expected")
endforeach()

# Nothing was written into the installed examples.
file(GLOB_RECURSE generated ${prefix}/Examples/*TN.*)
if(generated)
    message(FATAL_ERROR "the builds wrote into the installed examples: ${generated}")
endif()
