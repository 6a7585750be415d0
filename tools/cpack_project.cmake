# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE).

# Only a package build makes the program the package is meant to install: the others carry
# dfu-util inside and name the source tree as the simulator's place.
if(NOT CPACK_VELMORA_PACKAGE_BUILD)
    message(FATAL_ERROR "This build folder was configured without -DVELMORA_PACKAGE_BUILD=ON: "
                        "`make deb` packs one that was.")
endif()

# Every file in the package gets the time of the last commit, so that two builds of one commit
# give the same package, byte for byte. Outside a git tree, the newest changelog entry's date.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${CPACK_VELMORA_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc ERROR_QUIET)
    if(rc OR NOT epoch MATCHES "^[0-9]+$")
        file(STRINGS "${CPACK_VELMORA_SOURCE_DIR}/software/resources/package/changelog" trailer
             REGEX "^ -- " LIMIT_COUNT 1)
        string(REGEX REPLACE "^ -- .*>  " "" date "${trailer}")
        execute_process(COMMAND date -d "${date}" +%s OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
