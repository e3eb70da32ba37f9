# Recall (TFormRich), modification (TFoModifi) and deletion (TFoCancel) of
# archived subjects, with the name list they share.
add_library(qv_archive_subject_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/name_list_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subject_list_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recall_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/modification_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deletion_window.cpp
)
target_include_directories(qv_archive_subject_ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_archive_subject_ui PUBLIC qv_consultations qv_archive qv_chart qv_display_settings qv_ui_base Qt6::Widgets)
