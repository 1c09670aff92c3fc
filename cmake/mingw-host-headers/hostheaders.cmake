# Debian's header-only libraries (CLI11, nlohmann/json) serve the Windows
# build too, but their packages point at /usr/include, whose C library
# headers must never reach a MinGW compile. Each package is offered as a
# folder holding links to its own headers only.
function(qoru_host_headers target header_dir)
    if(TARGET ${target})
        return()
    endif()
    set(staged ${CMAKE_BINARY_DIR}/host-headers/${header_dir})
    if(NOT EXISTS ${staged})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host-headers)
        file(CREATE_LINK /usr/include/${header_dir} ${staged} SYMBOLIC)
    endif()
    add_library(${target} INTERFACE IMPORTED)
    set_target_properties(${target} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/host-headers)
endfunction()
