# cmake -DSOURCE=... -DDESTINATION=... -P CopyIfMissing.cmake
if(NOT EXISTS "${DESTINATION}")
    get_filename_component(folder "${DESTINATION}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
