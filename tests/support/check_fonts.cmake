# Run by the test corvane_test_fonts, which every other test requires:
#   cmake -DFONTS=<package>=<file>,... -P check_fonts.cmake
# Fails naming the Debian package of each font file the tests need and lack,
# so a missing font is reported as such and not as pictures that differ.
string(REPLACE "," ";" FONTS "${FONTS}")
set(missing "")
foreach(entry IN LISTS FONTS)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 package)
  list(GET pair 1 file)
  if(NOT EXISTS "${file}")
    string(APPEND missing "\n  ${file}: install the Debian package ${package}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "Fonts the tests draw with are missing (tools/setup.sh installs them):${missing}")
endif()
list(LENGTH FONTS count)
message(STATUS "All ${count} test fonts present")
