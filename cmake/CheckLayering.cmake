# The order of the engine's folders: a file may include headers of its own folder and of the
# folders before it, never of one after it. The program's folders (editor, shell) and the batch
# command (cli) sit above the whole engine. Run as a script: cmake -DSRC=<src folder> -P ...
cmake_minimum_required(VERSION 3.25)

set(engine platform geometry catalogue model laying substructure offer)
set(program editor shell cli)

set(violations "")
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
foreach(file IN LISTS files)
    string(REGEX MATCH "^[^/]+" folder "${file}")
    list(FIND engine "${folder}" rank)
    if(rank EQUAL -1)
        continue() # the program and the batch command may use every engine folder
    endif()
    file(STRINGS "${SRC}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line IN LISTS includes)
        string(REGEX MATCH "\"([a-z]+)/" ignored "${line}")
        set(used "${CMAKE_MATCH_1}")
        list(FIND engine "${used}" usedRank)
        if(usedRank GREATER rank OR (usedRank EQUAL -1 AND used IN_LIST program))
            list(APPEND violations "src/${file}: ${line}")
        endif()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    list(JOIN engine " < " order)
    message(FATAL_ERROR "Includes against the order ${order} < program:\n  ${text}")
endif()
