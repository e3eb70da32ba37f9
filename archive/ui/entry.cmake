# Birth data entry and registration of a new subject.
add_library(qv_archive_entry_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/birth_entry_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/birth_entry_places.cpp
  ${CMAKE_CURRENT_LIST_DIR}/manual_coordinates_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registration_window.cpp
)
target_include_directories(qv_archive_entry_ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_archive_entry_ui PUBLIC qv_atlas qv_archive qv_display_settings qv_ui_base Qt6::Widgets)
