# The practitioner's road through the real windows, from the main window.
qv_add_qtest(subject_road_test subject_road_test.cpp)
target_link_libraries(subject_road_test INTERFACE qv_shell_ui qv_subject_windows_test_support qv_test_example_subject)
