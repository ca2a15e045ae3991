# Checks shared by the tarv-cli test scripts.

# expect(MESSAGE CONDITION...): fails with MESSAGE unless the condition holds.
function(expect message)
    if(NOT (${ARGN}))
        message(FATAL_ERROR "${message}")
    endif()
endfunction()

# json_get(OUT JSON PATH...): the value at PATH; fails when there is none.
function(json_get out json)
    string(JSON value ERROR_VARIABLE error GET "${json}" ${ARGN})
    expect("JSON ${ARGN}: ${error}" NOT error)
    set(${out} "${value}" PARENT_SCOPE)
endfunction()
