# One library per layer of the engine and of the game. A layer compiles against its own headers and
# those of the layers it uses, and nothing else of the source tree: each layer's folder is linked
# into a tree of its own in the build folder (layers/<target>/<folder> -> the source folder), and
# that tree is the only include folder the layer hands on. An include of a layer above, or of one
# not named under USES, finds no file and fails to build.
#
#   tv_layer(<target> <folder> [USES <layer targets...>] [LINKS <other libraries...>]
#            SOURCES <files of the folder...>)
#
# The sources are named one by one, headers too (the meta-object compiler reads those). A layer of
# headers only becomes an interface library; once it has a .cpp file it is a static one.
function(tv_layer target folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "USES;LINKS;SOURCES")
    set(stage ${PROJECT_BINARY_DIR}/layers/${target})
    get_filename_component(parent ${stage}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT IS_SYMLINK ${stage}/${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${stage}/${folder} SYMBOLIC)
    endif()
    set(sources)
    set(compiled OFF)
    foreach(f ${arg_SOURCES})
        set(path ${PROJECT_SOURCE_DIR}/${folder}/${f})
        if(NOT EXISTS ${path})
            message(FATAL_ERROR "${target}: no ${folder}/${f}")
        endif()
        list(APPEND sources ${path})
        if(f MATCHES "\\.cpp$")
            set(compiled ON)
        endif()
    endforeach()
    if(compiled)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC ${stage})
        target_compile_options(${target} PRIVATE ${TV_WARNINGS})
        target_link_libraries(${target} PUBLIC ${arg_USES} ${arg_LINKS})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${stage})
        target_link_libraries(${target} INTERFACE ${arg_USES} ${arg_LINKS})
    endif()
endfunction()
