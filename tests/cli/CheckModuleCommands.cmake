# tarv-cli modul and the free modules and text boxes of tarv-cli lay.
# -DCLI=<tarv-cli> -DWORK=<scratch folder, also the data folder>

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(data "${WORK}/data")

include("${CMAKE_CURRENT_LIST_DIR}/CliChecks.cmake")

# --- modul: a post placed at (100, 50) --------------------------------------------------------
execute_process(
    COMMAND "${CLI}" modul 70400 --data "${data}" --at 100,50 --json --png "${WORK}/pfosten.png"
    RESULT_VARIABLE rc OUTPUT_VARIABLE json ERROR_VARIABLE err)
expect("modul failed (${rc}): ${err}" rc EQUAL 0)
json_get(number "${json}" ArtikelNr)
expect("article ${number}" number STREQUAL "70400")
json_get(x "${json}" Origin 0)
json_get(y "${json}" Origin 1)
expect("origin ${x},${y}" x EQUAL 100 AND y EQUAL 50)
string(JSON items LENGTH "${json}" DrawItems)
expect("${items} draw items" items GREATER 3)
json_get(x0 "${json}" Extent 0)
json_get(x1 "${json}" Extent 2)
expect("extent ${x0}..${x1} around the origin" x0 LESS 100 AND x1 GREATER 100)
expect("no picture" EXISTS "${WORK}/pfosten.png")

# A module with elements lists them as nested objects.
execute_process(COMMAND "${CLI}" modul 70200 --data "${data}" --json
                RESULT_VARIABLE rc OUTPUT_VARIABLE json ERROR_VARIABLE err)
expect("modul 70200 failed (${rc}): ${err}" rc EQUAL 0)
string(JSON elements LENGTH "${json}" Elemente)
expect("bench without elements" elements GREATER 0)
json_get(inner "${json}" Elemente 0 ArtikelNr)
string(LENGTH "${inner}" length)
expect("element without article" length GREATER 0)

# --- broken scripts end with the program's message and exit status 2 --------------------------
file(READ "${data}/MODULES/pfosten_12.mod" intact)
foreach(case syntax zero_ellipse cycle)
    if(case STREQUAL "syntax")
        set(script "[CONTOUR]\r\nRE:0;0;x;5\r\n")
        set(re "Syntaxfehler im Script .*pfosten_12.mod. Zeile: 2")
    elseif(case STREQUAL "zero_ellipse")
        set(script "[CONTOUR]\r\nCI:0;0;5\r\nEL:0;0;0;20;0\r\n")
        set(re "Syntaxfehler im Script .*pfosten_12.mod. Zeile: 3")
    else()
        set(script "[Elements]\r\nEL:70400;0;0;0\r\n")
        set(re "Fehler im Script pfosten_12.mod. Zeile: 2:.*Das Element 70400 enthält sich selbst")
    endif()
    file(WRITE "${data}/MODULES/pfosten_12.mod" "${script}")
    execute_process(COMMAND "${CLI}" modul 70400 --data "${data}" --json
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    expect("${case}: exit status ${rc}" rc EQUAL 2)
    expect("${case}: message ${err}" err MATCHES "${re}")
    # lay reports the same and does not write a plan.
    execute_process(
        COMMAND "${CLI}" lay --data "${data}" --outline "0,0 300,0 300,200 0,200" --article 10100
                --pattern "Halber Versatz" --edge 0 --module 70400@50,50
                --save "${WORK}/kaputt.pln"
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    expect("lay with ${case}: exit status ${rc}" rc EQUAL 2)
    expect("lay with ${case}: message ${err}" err MATCHES "${re}")
    expect("lay with ${case} saved a plan" NOT EXISTS "${WORK}/kaputt.pln")
endforeach()
file(WRITE "${data}/MODULES/pfosten_12.mod" "${intact}")

# --- lay with free modules and text boxes -----------------------------------------------------
set(plan "${WORK}/mit-modulen.pln")
execute_process(
    COMMAND "${CLI}" lay --data "${data}" --outline "0,0 300,0 300,200 0,200" --article 10100
            --pattern "Halber Versatz" --edge 0 --module 70400@350,50 --module 70300@150,230@90
            --text "20,20=Terrasse Süd" --save "${plan}" --png "${WORK}/mit-modulen.png" --json
    RESULT_VARIABLE rc OUTPUT_VARIABLE json ERROR_VARIABLE err)
expect("lay with modules failed (${rc}): ${err}" rc EQUAL 0)
string(JSON modules LENGTH "${json}" CommonModulList)
expect("${modules} free modules" modules EQUAL 2)
json_get(direction "${json}" CommonModulList 1 Direction)
expect("turned step ${direction}" direction EQUAL 90)
json_get(text "${json}" TextList 0 Text)
expect("text ${text}" text STREQUAL "Terrasse Süd")
expect("no picture" EXISTS "${WORK}/mit-modulen.png")

# The saved plan holds them; info --json lists them as lay did.
execute_process(COMMAND "${CLI}" info "${plan}" --data "${data}" --json
                RESULT_VARIABLE rc OUTPUT_VARIABLE saved ERROR_VARIABLE err)
expect("info failed (${rc}): ${err}" rc EQUAL 0)
json_get(a "${json}" CommonModulList)
json_get(b "${saved}" CommonModulList)
expect("modules differ after saving" a STREQUAL b)
json_get(a "${json}" TextList)
json_get(b "${saved}" TextList)
expect("text boxes differ after saving" a STREQUAL b)
json_get(corners "${saved}" TextList 0 Polygon)
string(JSON count LENGTH "${corners}")
expect("${count} corners" count EQUAL 4)
json_get(height "${saved}" TextList 0 FontHeight)
expect("font height ${height}" height GREATER 0)

# convert writes the same bytes back.
execute_process(COMMAND "${CLI}" convert "${plan}" "${WORK}/wieder.pln" --data "${data}"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
expect("convert failed (${rc}): ${err}" rc EQUAL 0)
file(SHA256 "${plan}" first)
file(SHA256 "${WORK}/wieder.pln" second)
expect("the plan changed on its way through convert" first STREQUAL second)
