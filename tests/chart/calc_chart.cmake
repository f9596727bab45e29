# Runs veltrane-calc --defaults OPTIONS --chart CHART (or another drawing's option, DRAW) and
# checks that it succeeds silently, writes a file that is not empty and leaves standard output
# as --defaults gives it.
if(NOT DRAW)
    set(DRAW --chart)
endif()
string(REPLACE "|" ";" options "${OPTIONS}")
file(REMOVE "${CHART}")
execute_process(
    COMMAND "${EXE}" --defaults ${options} ${DRAW} "${CHART}"
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "exit status ${status}, standard error: ${err}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT out STREQUAL expected)
    message(FATAL_ERROR "standard output differs from --defaults:\n${out}")
endif()
file(SIZE "${CHART}" size)
if(size LESS 1000)
    message(FATAL_ERROR "${CHART} holds only ${size} bytes")
endif()
