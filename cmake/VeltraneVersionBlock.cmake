# veltrane_add_version_block(TARGET): on Windows, compiles the program icon and the version
# block (company, product, file and product version, from the same values as
# veltrane/version.h) into the executable TARGET. Elsewhere it does nothing.
set(veltrane_resources_dir "${CMAKE_CURRENT_LIST_DIR}/../resources")

function(veltrane_add_version_block target)
    if(NOT WIN32)
        return()
    endif()
    set(VELTRANE_ICON_FILE "${veltrane_resources_dir}/icon/veltrane.ico")
    set(VELTRANE_RC_NAME "${target}")
    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
    configure_file("${veltrane_resources_dir}/veltrane.rc.in" "${rc}" @ONLY)
    target_sources(${target} PRIVATE "${rc}")
endfunction()
