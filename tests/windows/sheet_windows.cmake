# The printable sheet window, its picture viewer and the main window's sheet buttons.
qv_add_qtest(sheet_window_test sheet_window_test.cpp)
set_tests_properties(sheet_window_test PROPERTIES COST 300)
target_link_libraries(sheet_window_test INTERFACE qv_shell_ui qv_subject_windows_test_support qv_test_example_subject)
