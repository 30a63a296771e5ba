# Turns resource files into a C++ source holding their bytes, so that the program carries its
# dialog templates inside the binary and needs nothing beside it but the medium's own files.
function(embed_files target_source symbol_prefix)
    set(inputs ${ARGN})
    add_custom_command(
        OUTPUT ${target_source}
        COMMAND ${CMAKE_COMMAND} -DOUT=${target_source} -DPREFIX=${symbol_prefix}
                "-DINPUTS=${inputs}" -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFilesScript.cmake
        DEPENDS ${inputs} ${CMAKE_SOURCE_DIR}/cmake/EmbedFilesScript.cmake
        VERBATIM)
endfunction()
