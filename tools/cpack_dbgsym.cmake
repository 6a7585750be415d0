# Run by cpack after it has made the packages (CPACK_POST_BUILD_SCRIPTS): puts the -dbgsym
# package right as cpack leaves it. Its md5sums name the files by their path in cpack's
# scratch folder (a path of the build machine, and one that no installed file has), its
# debug file is executable, and it has no documentation folder; Debian's own -dbgsym packages
# point theirs at the main package's. Rebuilt by dpkg-deb, with the file times of the others.
foreach(file IN LISTS CPACK_PACKAGE_FILES)
    if(NOT file MATCHES "\\.ddeb$")
        continue()
    endif()
    set(tree "${file}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb -R "${file}" "${tree}" RESULT_VARIABLE rc)
    if(rc)
        message(FATAL_ERROR "dpkg-deb cannot unpack ${file}")
    endif()
    file(GLOB_RECURSE debug_files LIST_DIRECTORIES false RELATIVE "${tree}" "${tree}/usr/*")
    list(SORT debug_files)
    set(sums "")
    foreach(debug_file IN LISTS debug_files)
        file(CHMOD "${tree}/${debug_file}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
        file(MD5 "${tree}/${debug_file}" sum)
        string(APPEND sums "${sum}  ${debug_file}\n")
    endforeach()
    file(WRITE "${tree}/DEBIAN/md5sums" "${sums}")
    file(MAKE_DIRECTORY "${tree}/usr/share/doc")
    file(CREATE_LINK "${CPACK_PACKAGE_NAME}" "${tree}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym" SYMBOLIC)
    execute_process(COMMAND find "${tree}" -exec touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +)
    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build "${tree}" "${file}"
                    OUTPUT_QUIET RESULT_VARIABLE rc)
    file(REMOVE_RECURSE "${tree}")
    if(rc)
        message(FATAL_ERROR "dpkg-deb cannot pack ${file}")
    endif()
endforeach()
