include(${CMAKE_CURRENT_LIST_DIR}/hostheaders.cmake)
qoru_host_headers(nlohmann_json::nlohmann_json nlohmann)
