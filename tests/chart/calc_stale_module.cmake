# Runs a copy of veltrane-calc beside a chart module of another build (STALE) and checks that
# --chart refuses it with one line and exit status 1, writing no chart.
set(folder "${WORKDIR}/stale_module")
file(REMOVE_RECURSE "${folder}")
file(MAKE_DIRECTORY "${folder}")
file(COPY "${EXE}" DESTINATION "${folder}")
get_filename_component(program "${EXE}" NAME)
file(COPY_FILE "${STALE}" "${folder}/${MODULE_NAME}")
execute_process(
    COMMAND "${folder}/${program}" --defaults --chart "${folder}/chart.png"
    OUTPUT_QUIET
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
set(expected "veltrane-calc: --chart: the chart module ${MODULE_NAME} was built with another veltrane-calc; install the two together\n")
if(NOT status EQUAL 1 OR NOT err STREQUAL expected)
    message(FATAL_ERROR "exit status ${status}, standard error: ${err}")
endif()
if(EXISTS "${folder}/chart.png")
    message(FATAL_ERROR "a chart was written")
endif()
