# Included by tests/CMakeLists.txt for the checker's suite: libxml2's character classes, which the
# writers' own table of XML name characters is checked against.
find_package(LibXml2 REQUIRED)
target_link_libraries(test_check PRIVATE LibXml2::LibXml2)
