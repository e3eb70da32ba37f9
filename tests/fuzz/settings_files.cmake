# The settings files of the data directory (text, any content).
qv_add_fuzz_target(fuzz_settings_files ${CMAKE_CURRENT_LIST_DIR}/fuzz_settings_files.cpp)
target_compile_definitions(fuzz_settings_files PRIVATE QV_DATA_TEMPLATE_DIR="${CMAKE_SOURCE_DIR}/data")
target_link_libraries(fuzz_settings_files PRIVATE qv_display_settings qv_chart_settings)
