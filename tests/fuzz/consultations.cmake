# The consultation store (SQLite).
qv_add_fuzz_target(fuzz_consultation_store ${CMAKE_CURRENT_LIST_DIR}/fuzz_consultation_store.cpp)
target_link_libraries(fuzz_consultation_store PRIVATE qv_consultations)
