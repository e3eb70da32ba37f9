# The consultation store (SQLite).
qv_add_fuzz_target(fuzz_consultation_store ${CMAKE_CURRENT_LIST_DIR}/fuzz_consultation_store.cpp)
target_link_libraries(fuzz_consultation_store PRIVATE qv_consultations)

# The note of a correction or deletion of a subject that is under way.
qv_add_fuzz_target(fuzz_subject_change ${CMAKE_CURRENT_LIST_DIR}/fuzz_subject_change.cpp)
target_link_libraries(fuzz_subject_change PRIVATE qv_consultations)
