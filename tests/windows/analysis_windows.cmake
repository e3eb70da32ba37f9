# The chart analysis window ("Modello Propedeutico Interattivo").
qv_add_qtest(analysis_window_test analysis_window_test.cpp)
target_link_libraries(analysis_window_test INTERFACE qv_display_ui qv_archive qv_test_example_subject qv_test_recorded_boxes)
