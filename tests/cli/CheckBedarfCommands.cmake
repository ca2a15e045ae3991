# tarv-cli bedarf on a laid plan with battens, clips, strips and connectors, both optimisers.
# -DCLI=<tarv-cli> -DWORK=<scratch folder, also the data folder>

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(data "${WORK}/data")

include("${CMAKE_CURRENT_LIST_DIR}/CliChecks.cmake")

set(plan "${WORK}/bedarf.pln")
execute_process(
    COMMAND "${CLI}" lay --data "${data}" --outline "0,0 600,0 600,400 300,400 300,250 0,250"
            --article 10103 --pattern "Halber Versatz" --edge 0 --substructure 4 --batten 30200
            --strips 31100 --save "${plan}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("lay failed (${rc}): ${err}" rc EQUAL 0)

foreach(optimizer exact classic)
    execute_process(
        COMMAND "${CLI}" bedarf "${plan}" --data "${data}" --json --optimizer ${optimizer}
                --time-limit 20
        RESULT_VARIABLE rc OUTPUT_VARIABLE json_${optimizer} ERROR_VARIABLE err)
    expect("bedarf ${optimizer} failed (${rc}): ${err}" rc EQUAL 0)
endforeach()

# Entries in the order of the offer: boards, strips, battens, clips, connectors.
set(json "${json_exact}")
json_get(first "${json}" 0 ArtikelNr)
json_get(second "${json}" 1 ArtikelNr)
json_get(third "${json}" 2 ArtikelNr)
expect("order ${first} ${second} ${third}"
       first STREQUAL "10103" AND second STREQUAL "31100" AND third STREQUAL "30200")
string(JSON entries LENGTH "${json}")
math(EXPR last "${entries} - 1")
set(found_clips FALSE)
foreach(i RANGE ${last})
    json_get(number "${json}" ${i} ArtikelNr)
    json_get(classic_number "${json_classic}" ${i} ArtikelNr)
    expect("entries differ: ${number} ${classic_number}" number STREQUAL classic_number)
    string(JSON type ERROR_VARIABLE no TYPE "${json}" ${i} Gesamtlaenge)
    if(type STREQUAL "NUMBER")
        json_get(total "${json}" ${i} Gesamtlaenge)
        json_get(bound "${json}" ${i} Untergrenze)
        json_get(classic "${json_classic}" ${i} Gesamtlaenge)
        expect("${number}: bound ${bound} above ${total}" NOT bound GREATER total)
        expect("${number}: exact ${total} worse than classic ${classic}" NOT total GREATER classic)
        # The cut plan uses every piece: one cut per requirement item at least.
        string(JSON stock LENGTH "${json}" ${i} Schnittplan)
        string(JSON packages LENGTH "${json}" ${i} PaketList)
        expect("${number}: ${stock} cut stock pieces, ${packages} in packages"
               stock EQUAL packages)
    endif()
    if(number STREQUAL "40210")
        set(found_clips TRUE)
        json_get(clips "${json}" ${i} Items 0 PckEin)
        expect("clips ${clips}" clips GREATER 100)
    endif()
endforeach()
expect("no clips" found_clips)

# The text form names each entry.
execute_process(COMMAND "${CLI}" bedarf "${plan}" --data "${data}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
expect("bedarf failed (${rc}): ${err}" rc EQUAL 0)
expect("text: ${text}" text MATCHES "10103: 60 Posten, [0-9]+ Lagerstücke, [0-9,]+ m")
