# tavren_generate(<target> MODEL <chart.tvc> LANGUAGE cpp [TRACE] [CHECK])
#
# Generates the state machine of a chart at build time and compiles it into <target>. The chart
# is copied into the target's binary folder and generated there, so nothing is written next to
# the user's sources; a change to the chart or to the generator regenerates it. The generated
# folder and the chart's own folder (where its context header usually lives) go on the target's
# include path. TRACE generates the machine with its trace hook. CHECK runs tvccheck on the chart
# first, so the build stops on any error it reports (and shows its warnings).
#
# Call it in the folder that creates <target>: generated files are seen only by targets of the
# folder whose rule makes them.
include_guard(GLOBAL)

set(TAVREN_GENERATE_LANGUAGES cpp)

function(tavren_generate target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "TRACE;CHECK" "MODEL;LANGUAGE" "")
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "tavren_generate: unexpected arguments: ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT TARGET ${target})
        message(FATAL_ERROR "tavren_generate: no target named '${target}'")
    endif()
    get_target_property(target_source_dir ${target} SOURCE_DIR)
    if(NOT target_source_dir STREQUAL CMAKE_CURRENT_SOURCE_DIR)
        message(FATAL_ERROR "tavren_generate: call it in ${target_source_dir}, where '${target}' "
                            "is created")
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

    # The installed package's generator, else the one this build makes.
    if(TARGET Tavren::tvc2cpp)
        set(generator Tavren::tvc2cpp)
    elseif(TARGET tvc2cpp)
        set(generator tvc2cpp)
    else()
        message(FATAL_ERROR "tavren_generate: no tvc2cpp; use find_package(Tavren)")
    endif()

    set(checker "")
    if(ARG_CHECK)
        if(TARGET Tavren::tvccheck)
            set(checker Tavren::tvccheck)
        elseif(TARGET tvccheck)
            set(checker tvccheck)
        else()
            message(FATAL_ERROR "tavren_generate: CHECK needs tvccheck; use find_package(Tavren)")
        endif()
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

    get_target_property(binary_dir ${target} BINARY_DIR)
    set(out_dir ${binary_dir}/tavren_generated/${target})
    set(copy ${out_dir}/${model_name})
    set(header ${out_dir}/${stem}TN.h)
    set(source ${out_dir}/${stem}TN.cpp)
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
        OUTPUT ${header} ${source}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${header} ${source}
        COMMAND ${CMAKE_COMMAND} -E copy ${model} ${copy}
        ${check_command}
        COMMAND ${generator} ${flags} -- ${copy}
        DEPENDS ${model} $<TARGET_FILE:${generator}>
        COMMENT "Generating the state machine of ${model_name}"
        VERBATIM)
    target_sources(${target} PRIVATE ${source} ${header})
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${out_dir}>
                                                $<BUILD_INTERFACE:${model_dir}>)
endfunction()
