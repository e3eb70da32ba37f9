# The consultation windows of the remedy database.
qv_add_qtest(remedy_windows_test remedy_windows_test.cpp)
target_link_libraries(remedy_windows_test PRIVATE qv_remedies_ui qv_remedy_fixture)
