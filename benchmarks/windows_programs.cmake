# The Windows programs of the benchmarks, built by ./bench alone (EXCLUDE_FROM_ALL).

# What the saver holds, read by the soak under Wine (./bench --soak).
add_executable(soak-probe EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/win32_soak_probe.cpp)
target_link_libraries(soak-probe PRIVATE psapi)
scintle_apply_flags(soak-probe)
target_link_options(soak-probe PRIVATE -static)

# The saver full screen with a seeded render thread, for the drawing benchmark under
# Wine (benchmarks/wine_draw_bench.sh): the saver's own libraries and resources.
add_executable(scintle-draw-bench WIN32 EXCLUDE_FROM_ALL
  ${CMAKE_CURRENT_LIST_DIR}/win32_draw_bench.cpp
  ${PROJECT_SOURCE_DIR}/resources/scintle.rc
)
target_include_directories(scintle-draw-bench PRIVATE ${PROJECT_SOURCE_DIR}/resources
                                                      ${PROJECT_BINARY_DIR}/host)
target_link_libraries(scintle-draw-bench PRIVATE scintle_host scintle_win32 scintle_engine)
scintle_apply_flags(scintle-draw-bench)
target_link_options(scintle-draw-bench PRIVATE -static -s)
