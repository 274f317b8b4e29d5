# Plays one scenario script through the driver and compares what it prints.
#   cmake -DDRIVER=<vesmor-script> -DSCRIPT=<x.vms> -DEXPECTED=<dir/x> -P run-script.cmake
foreach(var DRIVER SCRIPT EXPECTED)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "run-script.cmake: ${var} is not set")
    endif()
endforeach()

execute_process(COMMAND ${DRIVER}
    INPUT_FILE ${SCRIPT}
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status)

file(READ ${EXPECTED}.out want_out)
if(EXISTS ${EXPECTED}.err)
    file(READ ${EXPECTED}.err want_err)
    set(want_status 2)
else()
    set(want_err "")
    set(want_status 0)
endif()

set(failed FALSE)
if(NOT "${status}" STREQUAL "${want_status}")
    message(SEND_ERROR "exit status ${status}, expected ${want_status}")
    set(failed TRUE)
endif()
if(NOT "${out}" STREQUAL "${want_out}")
    message(SEND_ERROR "standard output differs.\n--- expected ---\n${want_out}--- got ---\n${out}--- end ---")
    set(failed TRUE)
endif()
if(NOT "${err}" STREQUAL "${want_err}")
    message(SEND_ERROR "standard error differs.\n--- expected ---\n${want_err}--- got ---\n${err}--- end ---")
    set(failed TRUE)
endif()
if(failed)
    message(FATAL_ERROR "${SCRIPT} did not play as expected")
endif()
