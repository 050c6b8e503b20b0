# Warnings, sanitizers and the two build configurations, set once for every target of ours.

function(tavren_compile_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wshadow
                                             -Wnon-virtual-dtor -Woverloaded-virtual)
    # GCC 12 reports false -Wrestrict overlaps inside std::string at -O2 and above.
    target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
    # The headless configuration compiles the interactive branches too (if constexpr), so
    # helpers only they call are unused there; clang would refuse them.
    target_compile_options(${target} PRIVATE
                           $<$<CXX_COMPILER_ID:Clang>:-Wno-unneeded-internal-declaration>)
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
endfunction()

# Code that ends up in libkelmora: only what is marked KELMORA_API leaves the library.
function(tavren_hidden_visibility target)
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                               VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# Installed programs find libkelmora next to their bin/ folder, wherever the tree is put.
include(GNUInstallDirs)
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

if(TAVREN_FUZZ)
    # Every library is instrumented for coverage; only the fuzz programs link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(TAVREN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# The model, view and code-generation sources are compiled twice from the same files:
# <name> is the interactive configuration the editor links, <name>_headless the one
# that goes into libkelmora (TAVREN_HEADLESS=1: drawing and mouse handling do nothing).
#   tavren_dual_library(<name> SOURCES ... [DEPS <dual libs>] [LIBS <plain libs>])
function(tavren_dual_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
    foreach(variant IN ITEMS "" "_headless")
        set(target ${name}${variant})
        add_library(${target} STATIC ${ARG_SOURCES})
        tavren_compile_options(${target})
        if(variant STREQUAL "_headless")
            target_compile_definitions(${target} PUBLIC TAVREN_HEADLESS=1)
            tavren_hidden_visibility(${target})
        endif()
        foreach(dep IN LISTS ARG_DEPS)
            target_link_libraries(${target} PUBLIC ${dep}${variant})
        endforeach()
        target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    endforeach()
endfunction()
