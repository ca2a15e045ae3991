# Runs tarv-cli lay on a small plan and checks its JSON, the saved plan and the picture.
# -DCLI=<tarv-cli> -DWORK=<scratch folder, also the data folder>

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include("${CMAKE_CURRENT_LIST_DIR}/CliChecks.cmake")

# 400 x 300 with a cut-out above it; Bangkirai 14.5 x 305 in half offset along the top edge.
set(plan "${WORK}/gelegt.pln")
execute_process(
    COMMAND "${CLI}" lay --data "${WORK}/data" --outline "0,0 400,0 400,300 0,300"
            --outline "100,100 200,100 200,200 100,200" --article 10100
            --pattern "Halber Versatz" --edge 0 --save "${plan}" --png "${WORK}/gelegt.png" --json
    RESULT_VARIABLE rc OUTPUT_VARIABLE json ERROR_VARIABLE err)
expect("lay failed (${rc}): ${err}" rc EQUAL 0)

json_get(name "${json}" ShapeList 0 Layers 0 Name)
expect("pattern ${name}" name STREQUAL "Halber Versatz")
json_get(generated "${json}" ShapeList 0 Layers 0 generated)
json_get(kept "${json}" ShapeList 0 Layers 0 kept)
string(JSON objects LENGTH "${json}" ShapeList 0 Layers 0 objects)
expect("kept ${kept} of ${generated}, ${objects} objects"
       kept GREATER 60 AND generated GREATER kept AND kept EQUAL objects)
# The area above is not laid: nothing generated, nothing kept.
json_get(upper "${json}" ShapeList 1 Layers 0 kept)
expect("upper area kept ${upper}" upper EQUAL 0)
json_get(area "${json}" GesamtFlaeche)
expect("total area ${area}" area EQUAL 11)

# The rows start at the laying edge, the half offset at the middle of the edge (200, 0).
set(found FALSE)
math(EXPR last "${objects} - 1")
foreach(i RANGE ${last})
    json_get(x "${json}" ShapeList 0 Layers 0 objects ${i} Polygon 0 0)
    json_get(y "${json}" ShapeList 0 Layers 0 objects ${i} Polygon 0 1)
    if(x GREATER 199.949 AND x LESS 199.951 AND y GREATER -0.051 AND y LESS -0.049)
        set(found TRUE)
    endif()
endforeach()
expect("no board starts at (199.95, -0.05)" found)

# The saved plan reads back with its pattern and boards.
execute_process(COMMAND "${CLI}" info "${plan}" --json
                RESULT_VARIABLE rc OUTPUT_VARIABLE saved ERROR_VARIABLE err)
expect("info on the saved plan failed (${rc}): ${err}" rc EQUAL 0)
json_get(name "${saved}" ShapeList 0 Layers 0 Name)
expect("saved pattern ${name}" name STREQUAL "Halber Versatz")
string(JSON count LENGTH "${saved}" ShapeList 0 Layers 0 objects)
expect("saved ${count} boards, laid ${kept}" count EQUAL kept)

file(SIZE "${WORK}/gelegt.png" size)
expect("empty picture" size GREATER 1000)
