# The subject text editor: its rules without Qt and its window.
qv_add_gtest(editor_core_test editor_core_test.cpp)
target_link_libraries(editor_core_test PRIVATE qv_editor)

qv_add_qtest(text_editor_window_test text_editor_window_test.cpp)
target_link_libraries(text_editor_window_test INTERFACE qv_editor_ui qv_subject_windows_test_support)
