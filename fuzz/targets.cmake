# The libFuzzer targets: name and source. Read by fuzz/ (to build them with clang) and by
# tests/ (to run each briefly as a test, so that a crash fails the test run).
set(QUORLEN_FUZZ_TARGETS
    fuzz_find_marker
    fuzz_profile_pipeline
    fuzz_url_decode
    fuzz_url_split
)
