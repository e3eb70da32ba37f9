qv_add_gtest(atlas_tests
  atlas_formats_test.cpp
  atlas_search_test.cpp
  atlas_derivation_test.cpp
  birth_entry_rules_test.cpp
  atlas_support.cpp
)
target_link_libraries(atlas_tests PRIVATE qv_atlas)

# The data directory brought up to the shipped template at start-up.
qv_add_gtest(data_refresh_tests data_refresh_test.cpp)
target_link_libraries(data_refresh_tests PRIVATE qv_archive)
