# Runs the layering check on the real source tree (must pass) and on a small tree with one
# include against the order (must fail and name the file).
# -DCHECK=<CheckLayering.cmake> -DSRC=<src folder> -DWORK=<scratch folder>

execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${SRC} -P ${CHECK}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the source tree fails its own layering check:\n${err}")
endif()

file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/model/Fine.cpp" "#include \"geometry/GPCUtils.h\"\n#include \"model/Shapes.h\"\n")
file(WRITE "${WORK}/model/Wrong.cpp" "#include \"catalogue/Products.h\"\n#include \"laying/Patterns.h\"\n")
file(WRITE "${WORK}/cli/Anything.cpp" "#include \"offer/EngineContext.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK} -P ${CHECK}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0)
    message(FATAL_ERROR "an include of laying/ under model/ passed the check")
endif()
string(FIND "${err}" "src/model/Wrong.cpp" wrong)
string(FIND "${err}" "Fine.cpp" fine)
string(FIND "${err}" "Anything.cpp" anything)
if(wrong EQUAL -1 OR NOT fine EQUAL -1 OR NOT anything EQUAL -1)
    message(FATAL_ERROR "the check named the wrong files:\n${err}")
endif()
