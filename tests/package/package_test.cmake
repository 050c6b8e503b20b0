# Installs the built libkelmora into a fresh prefix, builds the consumer project against that
# prefix alone and checks what it prints for door.tvc.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DCXX_COMPILER=... [-DNINJA=...] [-DCXX_FLAGS=...]
#         -P package_test.cmake

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(ninja_option "")
if(NINJA)
    set(ninja_option -DCMAKE_MAKE_PROGRAM=${NINJA})
endif()
set(consumer_build ${WORK_DIR}/consumer)
file(REMOVE_RECURSE ${WORK_DIR})

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component kelmora)
foreach(installed lib/libkelmora.so include/kelmora/kelmora.h include/kelmora/model/shape.h
                  lib/cmake/Kelmora/KelmoraConfig.cmake lib/cmake/Kelmora/KelmoraConfigVersion.cmake)
    if(NOT EXISTS ${prefix}/${installed})
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()
# The view and the editor's platform services stay out of the package.
foreach(private view platform/services.h model/trackers.h)
    if(EXISTS ${prefix}/include/kelmora/${private})
        message(FATAL_ERROR "installed although private: ${private}")
    endif()
endforeach()

run("configure" ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/consumer -B ${consumer_build}
    -G Ninja ${ninja_option} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
run("build" ${CMAKE_COMMAND} --build ${consumer_build})

# The chart goes into the work folder: the front end writes next to it.
file(COPY ${CMAKE_CURRENT_LIST_DIR}/door.tvc DESTINATION ${WORK_DIR})
run("consumer" ${consumer_build}/consumer ${WORK_DIR}/door.tvc)
string(REPLACE "\r" "" output "${output}")
set(expected "kelmora 4.1.0
interface types: 36
Reading model file...
Analysing model...
Analysing State Outer
Analysing State Inner
Analysing State Idle
Checking for model constraints...
Parsing...
Generating code...
generic states read: 3
states: 3
top states: 2
root: DoorTN
function name: on_key
rounded: -3
")
if(NOT output STREQUAL expected)
    message(FATAL_ERROR "consumer printed:\n${output}\nexpected:\n${expected}")
endif()
