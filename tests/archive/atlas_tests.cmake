qv_add_gtest(atlas_tests
  atlas_formats_test.cpp
  atlas_search_test.cpp
  atlas_derivation_test.cpp
  atlas_support.cpp
)
target_link_libraries(atlas_tests PRIVATE qv_atlas)
