# Included by tests/CMakeLists.txt for the desktop app's suite (name = ui): the real windows, driven by
# events and simulated input, each test in its own process on its own virtual display (the test program
# starts itself under xvfb-run).
target_link_libraries(test_ui PRIVATE vamelrss_ui PkgConfig::GTK3)
target_compile_definitions(test_ui PRIVATE VAMELRSS_EXAMPLE_SITE="${CMAKE_SOURCE_DIR}/examples/site")
add_dependencies(test_ui vamelrss)
target_compile_definitions(test_ui PRIVATE VAMELRSS_HELP_BOOK="${CMAKE_BINARY_DIR}/vamelrss.htb")
add_dependencies(test_ui vamelrss_help)
