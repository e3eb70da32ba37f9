# The subject archives: record formats, the archive operations, the current
# subject, side files and text folders, registration, recall, modification,
# deletion, and the data directory's preparation at start-up.
add_library(qv_archive STATIC
  ${CMAKE_CURRENT_LIST_DIR}/archive_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archive_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/current_subject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/side_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_summary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subject_registration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subject_operations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/correction_review.cpp
  ${CMAKE_CURRENT_LIST_DIR}/name_words.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data_directory_startup.cpp
)
target_include_directories(qv_archive PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_archive PUBLIC qv_atlas qv_editor qv_chart_settings qv_ephemeris qv_datatemplate qv_base)
