# Tests of the doctrines applied to the chart.
qv_add_gtest(analysis_doctrines_tests
  ${CMAKE_CURRENT_LIST_DIR}/aspects_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subdivisions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dignities_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/planetary_hour_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/substance_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_data_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_keys_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_master_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dominant_chart_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wild_longitudes_test.cpp
)
target_link_libraries(analysis_doctrines_tests PRIVATE qv_analysis)

# End-to-end runs of the analysis command.
qv_add_gtest(analysis_cli_tests ${CMAKE_CURRENT_LIST_DIR}/analysis_cli_test.cpp)
target_link_libraries(analysis_cli_tests PRIVATE qv_base)
target_compile_definitions(analysis_cli_tests PRIVATE QV_CLI_PATH="$<TARGET_FILE:quorendaville-cli>")
add_dependencies(analysis_cli_tests quorendaville-cli)
