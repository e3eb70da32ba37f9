# Places and time regimes: the place tables, the regime tables, the prefix
# search, local mean time and the derivation of correction and calendar.
add_library(qv_atlas STATIC
  ${CMAKE_CURRENT_LIST_DIR}/places.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_regimes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/place_search.cpp
  ${CMAKE_CURRENT_LIST_DIR}/place_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/local_time_correction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/regime_derivation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/birth_entry_rules.cpp
)
target_include_directories(qv_atlas PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_atlas PUBLIC qv_ephemeris qv_base)
