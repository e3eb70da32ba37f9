# Birth data entry and registration, on a temporary data directory with the
# small atlas of tests/fixtures/entry.
qv_add_qtest(birth_entry_test birth_entry_test.cpp)
target_link_libraries(birth_entry_test INTERFACE qv_archive_entry_ui qv_editor_ui)
qv_add_qtest(registration_test registration_test.cpp)
target_link_libraries(registration_test INTERFACE qv_archive_entry_ui qv_editor_ui)
