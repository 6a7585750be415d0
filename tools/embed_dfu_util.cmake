# Copies the system's dfu-util and the libusb it links into OUT_DIR, makes the copy load
# libusb from its own directory, binds the library's symbols at load time as dfu-util's are
# (-z now), and checks that it prints the banner the program expects.
#   cmake -DDFU_UTIL=... -DPATCHELF=... -DPYTHON3=... -DOUT_DIR=... -DEXPECTED_BANNER=... -P embed_dfu_util.cmake
foreach(var DFU_UTIL PATCHELF PYTHON3 OUT_DIR EXPECTED_BANNER)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "embed_dfu_util.cmake: ${var} not set")
    endif()
endforeach()

execute_process(COMMAND ldd "${DFU_UTIL}" OUTPUT_VARIABLE ldd_out RESULT_VARIABLE rc)
string(REGEX MATCH "libusb-1\\.0\\.so\\.0 => ([^ ]+)" _ "${ldd_out}")
set(libusb "${CMAKE_MATCH_1}")
if(rc OR NOT libusb)
    message(FATAL_ERROR "Cannot find the libusb-1.0 that ${DFU_UTIL} links:\n${ldd_out}")
endif()
get_filename_component(libusb "${libusb}" REALPATH)

file(MAKE_DIRECTORY "${OUT_DIR}")
file(COPY_FILE "${DFU_UTIL}" "${OUT_DIR}/dfu-util")
file(COPY_FILE "${libusb}" "${OUT_DIR}/libusb-1.0.so.0")
execute_process(COMMAND "${PATCHELF}" --set-rpath "$ORIGIN" "${OUT_DIR}/dfu-util" RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "patchelf failed on ${OUT_DIR}/dfu-util")
endif()

execute_process(COMMAND "${PYTHON3}" "${CMAKE_CURRENT_LIST_DIR}/elf_bind_now.py" "${OUT_DIR}/libusb-1.0.so.0"
                RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "Cannot mark ${OUT_DIR}/libusb-1.0.so.0 for immediate binding")
endif()

execute_process(COMMAND ldd "${OUT_DIR}/dfu-util" OUTPUT_VARIABLE ldd_out)
if(NOT ldd_out MATCHES "libusb-1\\.0\\.so\\.0 => ${OUT_DIR}/libusb-1\\.0\\.so\\.0")
    message(FATAL_ERROR "The embedded dfu-util does not load libusb from its own directory:\n${ldd_out}")
endif()

execute_process(COMMAND "${OUT_DIR}/dfu-util" -V OUTPUT_VARIABLE banner RESULT_VARIABLE rc)
file(READ "${EXPECTED_BANNER}" expected)
if(rc OR NOT banner STREQUAL expected)
    message(FATAL_ERROR
        "The dfu-util to be embedded (${DFU_UTIL}) prints another banner for -V than the program "
        "expects (${EXPECTED_BANNER}).\nIt printed (exit code ${rc}):\n${banner}")
endif()
