# Installs the built Tavren into a fresh prefix and, against that prefix alone, builds a project
# that generates a chart's machine with tavren_generate(), and the installed Socket_C++ example.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DCHART=... -DCXX_COMPILER=... [-DNINJA=...]
#         [-DCXX_FLAGS=...] -P generate_test.cmake

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(configure_options -G Ninja -DCMAKE_CXX_COMPILER=${CXX_COMPILER} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
    -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
if(NINJA)
    list(APPEND configure_options -DCMAKE_MAKE_PROGRAM=${NINJA})
endif()
file(REMOVE_RECURSE ${WORK_DIR})

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
set(example Examples/Socket_C++)
foreach(installed bin/tvc2cpp bin/tvccheck lib/cmake/Tavren/TavrenConfig.cmake
                  lib/cmake/Tavren/TavrenConfigVersion.cmake lib/cmake/Tavren/TavrenGenerate.cmake
                  ${example}/CMakeLists.txt ${example}/connection.tvc ${example}/main.cpp
                  ${example}/connection_context.h ${example}/connection_context.cpp)
    if(NOT EXISTS ${prefix}/${installed})
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()

# The chart sits in a folder of its own, which the build must leave as it was.
set(source ${WORK_DIR}/src)
file(COPY ${CHART} DESTINATION ${source})
get_filename_component(chart_name ${CHART} NAME)
set(chart ${source}/${chart_name})
set(consumer ${CMAKE_CURRENT_LIST_DIR}/generate)
set(consumer_build ${WORK_DIR}/consumer)
run("configure" ${CMAKE_COMMAND} -S ${consumer} -B ${consumer_build} ${configure_options}
    -DDOOR_CHART=${chart})
run("build" ${CMAKE_COMMAND} --build ${consumer_build})
file(GLOB left RELATIVE ${source} ${source}/*)
if(NOT left STREQUAL chart_name)
    message(FATAL_ERROR "the build wrote next to the chart: ${left}")
endif()

function(check_door opening_log)
    run("door_demo" ${consumer_build}/door_demo)
    string(FIND "${output}" "trace:\n" at)
    string(SUBSTRING "${output}" 0 ${at} actions)
    math(EXPR at "${at} + 7")
    string(SUBSTRING "${output}" ${at} -1 trace)
    set(expected "motor stop
lock engage
-- open while locked
-- unlock, open
lock release
log: ${opening_log}
motor open
motor stop
timer start 10
-- timeout while blocked
timer stop
beep
timer start 10
-- timeout
timer stop
log: closing after timeout
motor close
motor stop
motor stop
lock engage
finished: 0
")
    if(NOT actions STREQUAL expected)
        message(FATAL_ERROR "door_demo printed:\n${actions}\nexpected:\n${expected}")
    endif()
    # Generated with TRACE: a line for the start's entry, the ignored event, and each of five
    # transitions with its exit and entry.
    string(REGEX MATCHALL "\n" lines "${trace}")
    list(LENGTH lines count)
    if(NOT count EQUAL 17)
        message(FATAL_ERROR "expected 17 trace lines, got ${count}:\n${trace}")
    endif()
endfunction()
check_door("opening")

# A changed chart is generated again on the next build.
file(READ ${chart} text)
string(REPLACE "log(\"opening\");" "log(\"opening up\");" changed "${text}")
if(changed STREQUAL text)
    message(FATAL_ERROR "the chart has no log(\"opening\") effect to change")
endif()
file(WRITE ${chart} "${changed}")
run("rebuild" ${CMAKE_COMMAND} --build ${consumer_build})
check_door("opening up")

# With CHECK, a chart tvccheck finds an error in stops the build with its report.
set(broken ${WORK_DIR}/broken/door.tvc)
file(WRITE ${broken} "not a chart\n")
run("configure with a broken chart" ${CMAKE_COMMAND} -S ${consumer} -B ${WORK_DIR}/broken_build
    ${configure_options} -DDOOR_CHART=${broken})
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/broken_build
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(rc EQUAL 0 OR NOT out MATCHES "door.tvc: error: .*\\[front-end\\]")
    message(FATAL_ERROR "the broken chart did not stop the build (${rc}):\n${out}")
endif()

# A language without a generator stops the configuration with the list.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${consumer} -B ${WORK_DIR}/python ${configure_options}
                        -DDOOR_CHART=${chart} -DDOOR_LANGUAGE=python
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(rc EQUAL 0
   OR NOT out MATCHES "LANGUAGE 'python' is not supported; supported: cpp, c,[ \n]+java, cs")
    message(FATAL_ERROR "LANGUAGE python was not refused as expected (${rc}):\n${out}")
endif()

# The installed example builds on its own, with its warnings as errors.
set(example_build ${WORK_DIR}/socket_example)
run("configure the example" ${CMAKE_COMMAND} -S ${prefix}/${example} -B ${example_build}
    ${configure_options})
run("build the example" ${CMAKE_COMMAND} --build ${example_build})
execute_process(COMMAND ${example_build}/socket_client RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 2 OR NOT out MATCHES "usage: socket_client")
    message(FATAL_ERROR "socket_client without arguments (${rc}):\n${out}")
endif()
file(GLOB installed_example RELATIVE ${prefix}/${example} ${prefix}/${example}/*)
list(LENGTH installed_example count)
if(NOT count EQUAL 6)
    message(FATAL_ERROR "the example folder changed: ${installed_example}")
endif()
