# tarv-cli lay with edge strips and connectors; the saved plan read back by info.
# -DCLI=<tarv-cli> -DWORK=<scratch folder, also the data folder>

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(data "${WORK}/data")

include("${CMAKE_CURRENT_LIST_DIR}/CliChecks.cmake")

# An L of 600 x 400 without the lower left 300 x 150; aluminium battens in the 45 degree layout
# meet the border battens: angle connectors, cross connectors at the corners, joints.
set(plan "${WORK}/leisten.pln")
set(outline "0,0 600,0 600,400 300,400 300,250 0,250")
execute_process(
    COMMAND "${CLI}" lay --data "${data}" --outline "${outline}" --article 10103
            --pattern "Halber Versatz" --edge 0 --substructure 4 --batten 30200 --strips 31100
            --save "${plan}" --png "${WORK}/leisten.png" --json
    RESULT_VARIABLE rc OUTPUT_VARIABLE json ERROR_VARIABLE err)
expect("lay failed (${rc}): ${err}" rc EQUAL 0)
expect("no picture" EXISTS "${WORK}/leisten.png")

# Strips: one per edge, 4 cm wide, centre lines 3 cm inside the outline.
string(JSON edges LENGTH "${json}" ShapeList 0 Verleistung)
expect("${edges} strip slots" edges EQUAL 6)
math(EXPR last "${edges} - 1")
foreach(i RANGE ${last})
    json_get(number "${json}" ShapeList 0 Verleistung ${i} ArtikelNr)
    json_get(width "${json}" ShapeList 0 Verleistung ${i} Breite)
    expect("strip ${i}: ${number}, ${width}" number STREQUAL "31100" AND width EQUAL 4)
    json_get(x "${json}" ShapeList 0 Verleistung ${i} Vektor 0)
    json_get(y "${json}" ShapeList 0 Verleistung ${i} Vektor 1)
    # Every start point is a corner of the outline moved 3 cm inward.
    expect("strip ${i} starts at ${x},${y}"
           (x EQUAL 3 OR x EQUAL 303 OR x EQUAL 597) AND
           (y EQUAL 3 OR y EQUAL 247 OR y EQUAL 397))
endforeach()

# Connectors: per article a list of [x, y, rx, ry, Flags].
string(JSON entries LENGTH "${json}" ShapeList 0 UKVerbinderColl)
expect("${entries} connector entries" entries GREATER_EQUAL 2)
set(found_angle FALSE)
set(found_joint FALSE)
math(EXPR last "${entries} - 1")
foreach(i RANGE ${last})
    json_get(number "${json}" ShapeList 0 UKVerbinderColl ${i} ArtikelNr)
    string(JSON points LENGTH "${json}" ShapeList 0 UKVerbinderColl ${i} Verbinder)
    if(number STREQUAL "50210" AND points GREATER 0)
        set(found_angle TRUE)
        json_get(flags "${json}" ShapeList 0 UKVerbinderColl ${i} Verbinder 0 4)
        expect("angle connector flags ${flags}" flags EQUAL 1 OR flags EQUAL 2)
    endif()
    if(number STREQUAL "50220" AND points GREATER 0)
        set(found_joint TRUE)
        json_get(flags "${json}" ShapeList 0 UKVerbinderColl ${i} Verbinder 0 4)
        expect("joint flags ${flags}" flags EQUAL 196609)
    endif()
endforeach()
expect("no angle connectors" found_angle)
expect("no joints" found_joint)

# The saved plan keeps the strips; its connectors are placed again from the battens.
execute_process(COMMAND "${CLI}" info "${plan}" --data "${data}" --json
                RESULT_VARIABLE rc OUTPUT_VARIABLE saved ERROR_VARIABLE err)
expect("info failed (${rc}): ${err}" rc EQUAL 0)
foreach(key Verleistung UKVerbinderColl)
    json_get(a "${json}" ShapeList 0 ${key})
    json_get(b "${saved}" ShapeList 0 ${key})
    expect("${key} differs after saving" a STREQUAL b)
endforeach()

# Only the listed edges.
execute_process(
    COMMAND "${CLI}" lay --data "${data}" --outline "0,0 300,0 300,200 0,200" --article 10103
            --pattern "Halber Versatz" --edge 0 --strips 31500 --strip-edges 0,2 --json
    RESULT_VARIABLE rc OUTPUT_VARIABLE json ERROR_VARIABLE err)
expect("lay --strip-edges failed (${rc}): ${err}" rc EQUAL 0)
set(used 0)
foreach(i 0 1 2 3)
    string(JSON type TYPE "${json}" ShapeList 0 Verleistung ${i})
    if(type STREQUAL "OBJECT")
        math(EXPR used "${used} + 1")
        json_get(width "${json}" ShapeList 0 Verleistung ${i} Breite)
        expect("width ${width}" width EQUAL 4.5)
    endif()
endforeach()
expect("${used} strips instead of 2" used EQUAL 2)

# Articles that are no strip, and edges the area does not have, end with exit status 2.
foreach(case unknown board too_many malformed)
    set(args --strips 31100)
    if(case STREQUAL "unknown")
        set(args --strips 99999)
        set(re "Artikel 99999 nicht gefunden")
    elseif(case STREQUAL "board")
        set(args --strips 10103)
        set(re "Artikel 10103 ist keine Leiste")
    elseif(case STREQUAL "too_many")
        list(APPEND args --strip-edges 1,9)
        set(re "--strip-edges 9: die Fläche hat nur 4 Kanten")
    else()
        list(APPEND args --strip-edges 1,x)
        set(re "--strip-edges erwartet Kantennummern")
    endif()
    execute_process(
        COMMAND "${CLI}" lay --data "${data}" --outline "0,0 300,0 300,200 0,200" --article 10103
                --pattern "Halber Versatz" --edge 0 ${args}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    expect("${case}: exit status ${rc}" rc EQUAL 2)
    expect("${case}: message ${err}" err MATCHES "${re}")
endforeach()
