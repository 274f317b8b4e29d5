# Read by cpack before it packs: unless the caller chose a date already,
# every time stamp in the package is that of the changelog's newest entry.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND dpkg-parsechangelog -l ${CPACK_VESMOR_CHANGELOG} -S Timestamp
                    OUTPUT_VARIABLE timestamp OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(ENV{SOURCE_DATE_EPOCH} ${timestamp})
endif()
