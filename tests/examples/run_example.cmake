# Runs an example program and compares what it prints with its transcript; with README, also
# checks that the examples' README shows that transcript.
#   cmake -DCOMMAND=<program;args> -DEXPECTED=<transcript> [-DREADME=<README.md>]
#         -P run_example.cmake

execute_process(COMMAND ${COMMAND} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${COMMAND} failed (${rc}):\n${out}${err}")
endif()
string(REPLACE "\r\n" "\n" out "${out}")
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/printed.txt "${out}")
    execute_process(COMMAND diff -u ${EXPECTED} ${CMAKE_CURRENT_BINARY_DIR}/printed.txt
                    OUTPUT_VARIABLE diff)
    message(FATAL_ERROR "${COMMAND} printed other than ${EXPECTED}:\n${diff}")
endif()
if(README)
    file(READ ${README} readme)
    string(FIND "${readme}" "```\n${expected}```\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${README} does not show the transcript ${EXPECTED}")
    endif()
endif()
