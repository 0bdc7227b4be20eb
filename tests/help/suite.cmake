# Included by tests/CMakeLists.txt for the help suite (name = help).
# The book's sources are read with libxml2. The packed book is opened by wx's own help data code in
# a separate executable, so that wx never reaches the shared test support library.
find_package(LibXml2 REQUIRED)
target_link_libraries(test_help PRIVATE LibXml2::LibXml2)
target_compile_definitions(test_help PRIVATE VAMELRSS_HELP_DIR="${CMAKE_SOURCE_DIR}/help")

find_package(wxWidgets REQUIRED COMPONENTS html core base)
file(GLOB help_wx_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/help/wx/*.cpp)
add_executable(test_help_book ${help_wx_sources})
target_include_directories(test_help_book SYSTEM PRIVATE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(test_help_book PRIVATE ${wxWidgets_DEFINITIONS}
  VAMELRSS_HELP_BOOK="${CMAKE_BINARY_DIR}/vamelrss.htb" VAMELRSS_HELP_DIR="${CMAKE_SOURCE_DIR}/help")
target_compile_options(test_help_book PRIVATE ${wxWidgets_CXX_FLAGS})
target_link_libraries(test_help_book PRIVATE ${wxWidgets_LIBRARIES} GTest::gtest_main)
add_dependencies(test_help_book vamelrss_help)
gtest_discover_tests(test_help_book DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 600)
