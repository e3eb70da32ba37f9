# The subject archives.
qv_add_gtest(subjects_tests
  ${CMAKE_CURRENT_LIST_DIR}/subjects_records_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subjects_archive_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subjects_operations_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/name_words_test.cpp
)
target_link_libraries(subjects_tests PRIVATE qv_archive)

# Corrections that follow a change of birth data, against the shipped atlas.
qv_add_gtest(correction_review_tests
  ${CMAKE_CURRENT_LIST_DIR}/correction_review_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/atlas_support.cpp
)
target_link_libraries(correction_review_tests PRIVATE qv_archive)

# Subjects in and out through the exchange files.
qv_add_gtest(exchange_tests ${CMAKE_CURRENT_LIST_DIR}/exchange_test.cpp)
target_link_libraries(exchange_tests PRIVATE qv_exchange)
