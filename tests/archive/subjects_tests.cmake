# The subject archives.
qv_add_gtest(subjects_tests
  ${CMAKE_CURRENT_LIST_DIR}/subjects_records_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subjects_archive_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subjects_operations_test.cpp
)
target_link_libraries(subjects_tests PRIVATE qv_archive)
