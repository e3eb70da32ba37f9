# The "Consultazioni" window and the symptom ranking read with the chart.
qv_add_qtest(consultation_window_test consultation_window_test.cpp)
target_link_libraries(consultation_window_test INTERFACE qv_consultations_ui qv_remedies_ui qv_test_example_subject
                      qv_test_recorded_boxes qv_archive_subject_ui qv_subject_windows_test_support
                      qv_linked_remedies_ui)
