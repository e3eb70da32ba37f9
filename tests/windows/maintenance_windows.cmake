# The maintenance windows of the remedy database.
qv_add_qtest(maintenance_windows_test maintenance_windows_test.cpp)
target_link_libraries(maintenance_windows_test INTERFACE qv_remedies_maintenance_ui qv_remedy_fixture)

# The main window's maintenance controls and the administrator mode.
qv_add_qtest(main_window_maintenance_test main_window_maintenance_test.cpp)
target_link_libraries(main_window_maintenance_test INTERFACE qv_shell_ui)
