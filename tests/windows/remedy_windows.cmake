# The consultation windows of the remedy database.
qv_add_qtest(remedy_windows_test remedy_windows_test.cpp)
target_link_libraries(remedy_windows_test INTERFACE qv_remedies_ui qv_remedy_fixture)

qv_add_qtest(remedy_main_window_test remedy_main_window_test.cpp)
target_link_libraries(remedy_main_window_test INTERFACE qv_shell_ui qv_remedies_ui qv_remedy_fixture)

# The signature, debility, composition, synthesis, principles and plant
# database windows.
qv_add_qtest(signature_windows_test signature_windows_test.cpp)
target_link_libraries(signature_windows_test INTERFACE qv_remedies_ui qv_remedy_fixture qv_test_recorded_boxes)

# The linked-remedies panel of the analysis window.
qv_add_qtest(linked_panel_test linked_panel_test.cpp)
target_link_libraries(linked_panel_test INTERFACE qv_linked_remedies_ui qv_remedy_fixture qv_test_recorded_boxes)

# The main window's signature buttons, the hidden mode, and the linked panel
# opened from the analysis window.
qv_add_qtest(signature_wiring_test signature_wiring_test.cpp)
target_link_libraries(signature_wiring_test INTERFACE qv_shell_ui qv_linked_remedies_ui qv_archive qv_test_example_subject qv_test_recorded_boxes)
