# Run by cpack on the installed tree before it packs (CPACK_PRE_BUILD_SCRIPTS): the program's
# .comment section (the compilers' names) goes, as Debian's own strip step takes it away. The
# debug information is split off later, into the -dbgsym package.
find_program(OBJCOPY objcopy REQUIRED)
set(program "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/${CPACK_PACKAGE_NAME}")
if(NOT EXISTS "${program}")
    message(FATAL_ERROR "No program at ${program}")
endif()
execute_process(COMMAND "${OBJCOPY}" --remove-section=.comment "${program}" RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "objcopy cannot remove the .comment section of ${program}")
endif()
