# The fuzz targets, each tests/fuzz/<name>_fuzz.cpp with a seed corpus in
# tests/fuzz/corpus/<name>/: read by the fuzz build (CMakeLists.txt here) and by the
# tests that replay and run them (fuzz_tests.cmake).
set(SCINTLE_FUZZ_TARGETS settings_store command_line saver_options render_arguments
                         config_dialog picture)
