# Fails when a file under src/ includes one of a layer above its own. The layers, from
# the bottom: base; link; the subsystems (modes, logbook, trx, update), which may not
# include each other; app, the wiring; ui and every dialogs/ folder, the windows; and
# main.cpp. A file may always include its own folder.
#
#   cmake -DSOURCE_DIR=<src> -P IncludeLayers.cmake

set(rank_base 0)
set(rank_link 1)
set(rank_modes 2)
set(rank_logbook 2)
set(rank_trx 2)
set(rank_update 2)
set(rank_app 3)
set(rank_windows 4)
set(rank_entry 5)

# The layer a path below src/ belongs to, in `out`.
function(layer_of path out)
    if(path MATCHES "/dialogs/" OR path MATCHES "^ui/")
        set(${out} windows PARENT_SCOPE)
    elseif(path STREQUAL "main.cpp")
        set(${out} entry PARENT_SCOPE)
    elseif(path MATCHES "^([^/]+)/")
        set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(faults 0)
foreach(source IN LISTS sources)
    layer_of("${source}" own)
    if(NOT DEFINED rank_${own})
        message(SEND_ERROR "${source}: in no known layer; add its folder to ${CMAKE_CURRENT_LIST_FILE}")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" target "${line}")
        if(NOT EXISTS "${SOURCE_DIR}/${target}")
            continue() # not one of ours (a generated or system header)
        endif()
        layer_of("${target}" theirs)
        if(theirs STREQUAL own OR rank_${theirs} LESS rank_${own})
            continue()
        endif()
        message(SEND_ERROR "${source} (${own}) includes ${target} (${theirs}), a layer not below it")
        math(EXPR faults "${faults} + 1")
    endforeach()
endforeach()

list(LENGTH sources count)
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} include(s) point up or sideways, in ${count} files")
endif()
message(STATUS "${count} files, every include points down")
