# Subjects in and out of the archives: the exchange file formats and the
# review of an import.
add_library(qv_exchange STATIC
  ${CMAKE_CURRENT_LIST_DIR}/exchange/exchanged_subject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange/aaf_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange/csv_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange/import_review.cpp
)
target_include_directories(qv_exchange PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_exchange PUBLIC qv_archive qv_display_settings)
