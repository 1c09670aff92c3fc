include(${CMAKE_CURRENT_LIST_DIR}/hostheaders.cmake)
qoru_host_headers(CLI11::CLI11 CLI)
