# Runs veltrane-calc once and compares its standard output, standard error and exit status with
# the expected ones.
#   EXE       the program
#   EMULATOR  what runs it, words separated by '|' (wine for a Windows build; empty: nothing)
#   WORKDIR   where it runs (the fixtures, so that messages name files as typed)
#   ARGS      its arguments, separated by '|'
#   STDIN     file fed to standard input (empty: nothing)
#   EXPECTED  expected/<case>: <case>.out holds standard output, <case>.err standard error (a
#             missing .err file means none)
#   STATUS    expected exit status
#   UPDATE    when true, writes what the program gave as the expected files instead
if(ARGS)
    string(REPLACE "|" ";" arguments "${ARGS}")
else()
    set(arguments "")
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
if(NOT STDIN)
    set(STDIN /dev/null)
endif()
execute_process(
    COMMAND ${emulator} "${EXE}" ${arguments}
    WORKING_DIRECTORY "${WORKDIR}"
    INPUT_FILE "${STDIN}"
    OUTPUT_VARIABLE actual_out
    ERROR_VARIABLE actual_err
    RESULT_VARIABLE actual_status)

if(UPDATE)
    file(WRITE "${EXPECTED}.out" "${actual_out}")
    if(actual_err STREQUAL "")
        file(REMOVE "${EXPECTED}.err")
    else()
        file(WRITE "${EXPECTED}.err" "${actual_err}")
    endif()
    message(STATUS "updated ${EXPECTED} (exit status ${actual_status})")
    return()
endif()

file(READ "${EXPECTED}.out" expected_out)
set(expected_err "")
if(EXISTS "${EXPECTED}.err")
    file(READ "${EXPECTED}.err" expected_err)
endif()

set(failures "")
if(NOT actual_status STREQUAL STATUS)
    string(APPEND failures "exit status ${actual_status}, expected ${STATUS}\n")
endif()
if(NOT actual_out STREQUAL expected_out)
    string(APPEND failures "standard output differs from ${EXPECTED}.out; it was:\n${actual_out}\n")
endif()
if(NOT actual_err STREQUAL expected_err)
    string(APPEND failures "standard error differs; it was:\n${actual_err}\nexpected:\n${expected_err}\n")
endif()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
