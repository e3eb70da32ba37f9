# Recall, modification and deletion windows, and the rules of their name
# lists.
qv_add_gtest(name_list_rules_test name_list_rules_test.cpp)
target_link_libraries(name_list_rules_test PRIVATE qv_archive_subject_ui)

add_library(qv_subject_windows_test_support STATIC subject_windows_support.cpp)
target_link_libraries(qv_subject_windows_test_support PUBLIC qv_archive qv_ui_base qv_test_support qv_test_recorded_boxes Qt6::Test)

foreach(window recall modification deletion)
  qv_add_qtest(${window}_window_test ${window}_window_test.cpp)
  target_link_libraries(${window}_window_test INTERFACE qv_archive_subject_ui qv_editor_ui qv_subject_windows_test_support)
endforeach()
