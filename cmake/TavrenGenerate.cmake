# tavren_generate(<target> MODEL <chart.tvc> LANGUAGE cpp|c [TRACE] [CHECK])
# tavren_generate(<target> MODEL <chart.tvc> LANGUAGE java|cs SOURCES <file>... [MAIN <class>]
#                 [COMPILE_OPTIONS <option>...] [TRACE] [CHECK])
#
# Generates the state machine of a chart at build time. The chart is copied into the target's
# binary folder and generated there, so nothing is written next to the user's sources; a change
# to the chart or to the generator regenerates it. TRACE generates the machine with its trace
# hook. CHECK runs tvccheck on the chart first, so the build stops on any error it reports (and
# shows its warnings).
#
# cpp and c compile the machine into <target>, which must exist: an executable or a library of
# the folder that calls this (generated files are seen only by targets of the folder whose rule
# makes them). The generated folder and the chart's own folder (where its context header
# usually lives) go on the target's include path.
#
# java and cs have no target type of CMake's own to add a generated source to, so the call
# makes <target> itself from the machine and the SOURCES given (the context and the program):
# java compiles with the JDK that find_package(Java) finds into <target>.jar, runnable with
# `java -jar` when MAIN names the class holding main; cs compiles with mono's mcs into
# <target>.exe (MAIN picks the class when several have one), run with `mono`. COMPILE_OPTIONS go
# to javac or mcs. The target's TAVREN_RUN property holds the command that runs the program.
include_guard(GLOBAL)

set(TAVREN_GENERATE_LANGUAGES cpp c java cs)

# _tavren_program(<var> <name>): the installed package's program, else the one this build makes.
function(_tavren_program var name)
    if(TARGET Tavren::${name})
        set(${var} Tavren::${name} PARENT_SCOPE)
    elseif(TARGET ${name})
        set(${var} ${name} PARENT_SCOPE)
    else()
        message(FATAL_ERROR "tavren_generate: no ${name}; use find_package(Tavren)")
    endif()
endfunction()

function(tavren_generate target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "TRACE;CHECK" "MODEL;LANGUAGE;MAIN"
                          "SOURCES;COMPILE_OPTIONS")
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "tavren_generate: unexpected arguments: ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT ARG_MODEL)
        message(FATAL_ERROR "tavren_generate: MODEL <chart.tvc> is required")
    endif()
    string(REPLACE ";" ", " supported "${TAVREN_GENERATE_LANGUAGES}")
    if(NOT DEFINED ARG_LANGUAGE)
        message(FATAL_ERROR "tavren_generate: LANGUAGE is required; supported: ${supported}")
    endif()
    if(NOT ARG_LANGUAGE IN_LIST TAVREN_GENERATE_LANGUAGES)
        message(FATAL_ERROR "tavren_generate: LANGUAGE '${ARG_LANGUAGE}' is not supported; "
                            "supported: ${supported}")
    endif()
    set(managed FALSE)
    if(ARG_LANGUAGE STREQUAL "java" OR ARG_LANGUAGE STREQUAL "cs")
        set(managed TRUE)
    endif()
    if(managed)
        if(TARGET ${target})
            message(FATAL_ERROR "tavren_generate: LANGUAGE ${ARG_LANGUAGE} makes '${target}' "
                                "itself; a target of that name exists already")
        endif()
        if(NOT ARG_SOURCES)
            message(FATAL_ERROR "tavren_generate: LANGUAGE ${ARG_LANGUAGE} needs SOURCES (the "
                                "context and the program using the machine)")
        endif()
    else()
        if(ARG_SOURCES OR ARG_MAIN OR ARG_COMPILE_OPTIONS)
            message(FATAL_ERROR "tavren_generate: SOURCES, MAIN and COMPILE_OPTIONS are for java "
                                "and cs; add ${ARG_LANGUAGE} sources to '${target}' itself")
        endif()
        if(NOT TARGET ${target})
            message(FATAL_ERROR "tavren_generate: no target named '${target}'")
        endif()
        get_target_property(target_source_dir ${target} SOURCE_DIR)
        if(NOT target_source_dir STREQUAL CMAKE_CURRENT_SOURCE_DIR)
            message(FATAL_ERROR "tavren_generate: call it in ${target_source_dir}, where "
                                "'${target}' is created")
        endif()
    endif()

    set(generator_name tvc2${ARG_LANGUAGE})
    set(suffixes TN.h TN.${ARG_LANGUAGE})
    if(managed)
        set(suffixes TN.${ARG_LANGUAGE})
    endif()
    _tavren_program(generator ${generator_name})
    set(checker "")
    if(ARG_CHECK)
        _tavren_program(checker tvccheck)
    endif()

    cmake_path(ABSOLUTE_PATH ARG_MODEL BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               NORMALIZE OUTPUT_VARIABLE model)
    cmake_path(GET model FILENAME model_name)
    # The generator names its files after the model path up to its last '.': without an
    # extension that dot would be looked for in the folders above.
    cmake_path(HAS_EXTENSION model_name has_extension)
    if(NOT has_extension)
        message(FATAL_ERROR "tavren_generate: MODEL '${ARG_MODEL}' needs an extension (.tvc)")
    endif()
    cmake_path(GET model_name STEM LAST_ONLY stem)
    cmake_path(GET model PARENT_PATH model_dir)

    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/tavren_generated/${target})
    set(copy ${out_dir}/${model_name})
    set(generated "")
    foreach(suffix ${suffixes})
        list(APPEND generated ${out_dir}/${stem}${suffix})
    endforeach()
    set(check_command "")
    if(checker)
        set(check_command COMMAND ${checker} ${copy})
    endif()
    set(flags -d)
    if(ARG_TRACE)
        list(APPEND flags -g)
    endif()

    # Old output goes first: a failed run must not leave the previous machine behind looking
    # up to date.
    add_custom_command(
        OUTPUT ${generated}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${generated}
        COMMAND ${CMAKE_COMMAND} -E copy ${model} ${copy}
        ${check_command}
        COMMAND ${generator} ${flags} -- ${copy}
        DEPENDS ${model} $<TARGET_FILE:${generator}>
        COMMENT "Generating the ${ARG_LANGUAGE} state machine of ${model_name}"
        VERBATIM)

    if(ARG_LANGUAGE STREQUAL "java")
        _tavren_java(${target} "${generated}")
    elseif(ARG_LANGUAGE STREQUAL "cs")
        _tavren_cs(${target} "${generated}")
    else()
        target_sources(${target} PRIVATE ${generated})
        target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${out_dir}>
                                                    $<BUILD_INTERFACE:${model_dir}>)
    endif()
endfunction()

# The JDK's javac and jar through CMake's own Java support.
macro(_tavren_java target generated)
    find_package(Java 17 COMPONENTS Development Runtime)
    if(NOT Java_FOUND)
        message(FATAL_ERROR "tavren_generate: LANGUAGE java needs a JDK 17 or newer (javac, "
                            "jar and java); none was found")
    endif()
    include(UseJava)
    set(CMAKE_JAVA_COMPILE_FLAGS ${ARG_COMPILE_OPTIONS})
    set(entry_point "")
    if(ARG_MAIN)
        set(entry_point ENTRY_POINT ${ARG_MAIN})
    endif()
    add_jar(${target} SOURCES ${ARG_SOURCES} ${generated} ${entry_point}
            OUTPUT_DIR ${CMAKE_CURRENT_BINARY_DIR})
    set_target_properties(${target} PROPERTIES
        TAVREN_RUN "${Java_JAVA_EXECUTABLE};-jar;${CMAKE_CURRENT_BINARY_DIR}/${target}.jar")
endmacro()

# mono's C# compiler, one call for the whole program.
macro(_tavren_cs target generated)
    find_program(TAVREN_MCS mcs DOC "mono's C# compiler, for tavren_generate(LANGUAGE cs)")
    find_program(TAVREN_MONO mono DOC "the runtime that runs tavren_generate(LANGUAGE cs) programs")
    if(NOT TAVREN_MCS OR NOT TAVREN_MONO)
        message(FATAL_ERROR "tavren_generate: LANGUAGE cs needs mono's mcs and mono; "
                            "not found")
    endif()
    set(sources "")
    foreach(source ${ARG_SOURCES})
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND sources ${source})
    endforeach()
    list(APPEND sources ${generated})
    set(main "")
    if(ARG_MAIN)
        set(main -main:${ARG_MAIN})
    endif()
    set(exe ${CMAKE_CURRENT_BINARY_DIR}/${target}.exe)
    add_custom_command(
        OUTPUT ${exe}
        COMMAND ${TAVREN_MCS} -nologo -target:exe -out:${exe} ${main} ${ARG_COMPILE_OPTIONS}
                ${sources}
        DEPENDS ${sources}
        COMMENT "Compiling ${target}.exe"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${exe})
    set_target_properties(${target} PROPERTIES TAVREN_RUN "${TAVREN_MONO};${exe}")
endmacro()
