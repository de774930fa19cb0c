# The font environment of the tests: a fontconfig configuration that sees
# exactly the font files below (the families ui/Fonts.cpp maps the windows'
# fonts to, from the packages tools/setup.sh installs) and nothing else the
# machine or the user has installed. corvane_pin_test_environment() gives it
# to a test together with the offscreen platform.
#
# Exact files, never whole folders: a family often comes in several formats
# (fonts-urw-base35 ships Nimbus Sans as Type 1 and as OpenType, and other
# packages add more copies), and each draws its glyphs a little differently.
# The golden pictures were drawn with the Type 1 Nimbus Sans.
set(CORVANE_TEST_FONT_FILES
  fonts-urw-base35=/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1
  fonts-urw-base35=/usr/share/fonts/type1/urw-base35/NimbusSans-Bold.t1
  fonts-urw-base35=/usr/share/fonts/type1/urw-base35/NimbusSans-Italic.t1
  fonts-urw-base35=/usr/share/fonts/type1/urw-base35/NimbusSans-BoldItalic.t1
  fonts-noto-cjk=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
  fonts-noto-cjk=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
  fonts-noto-cjk=/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc
  fonts-noto-cjk=/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc
  fonts-dejavu-core=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  fonts-dejavu-core=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  fonts-dejavu-core=/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf
  fonts-dejavu-core=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf
  fonts-dejavu-core=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
  fonts-dejavu-core=/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf)

set(CORVANE_TEST_FONTS ${CMAKE_BINARY_DIR}/test-fonts)
set(CORVANE_TEST_FONT_DIR ${CORVANE_TEST_FONTS}/files)
set(CORVANE_TEST_FONT_CACHE ${CORVANE_TEST_FONTS}/cache)
set(CORVANE_TEST_FONTS_CONF ${CORVANE_TEST_FONTS}/fonts.conf)

# Links, not copies: a font installed after configuring is found without
# configuring again. The folder is made anew so that it holds no stale link.
file(REMOVE_RECURSE ${CORVANE_TEST_FONT_DIR} ${CORVANE_TEST_FONT_CACHE})
file(MAKE_DIRECTORY ${CORVANE_TEST_FONT_DIR})
set(_missing "")
foreach(_entry IN LISTS CORVANE_TEST_FONT_FILES)
  string(REPLACE "=" ";" _pair "${_entry}")
  list(GET _pair 0 _package)
  list(GET _pair 1 _file)
  get_filename_component(_name ${_file} NAME)
  file(CREATE_LINK ${_file} ${CORVANE_TEST_FONT_DIR}/${_name} SYMBOLIC)
  if(NOT EXISTS ${_file})
    string(APPEND _missing "\n  ${_file} (Debian package ${_package})")
  endif()
endforeach()
if(_missing)
  message(WARNING "Fonts the tests draw with are missing; tools/setup.sh installs them:${_missing}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts.conf.in ${CORVANE_TEST_FONTS_CONF} @ONLY)

# Every test requires this one: it fails first, naming the missing packages.
string(JOIN "," _fonts ${CORVANE_TEST_FONT_FILES})
add_test(NAME corvane_test_fonts
  COMMAND ${CMAKE_COMMAND} -DFONTS=${_fonts} -P ${CMAKE_CURRENT_LIST_DIR}/check_fonts.cmake)
set_tests_properties(corvane_test_fonts PROPERTIES FIXTURES_SETUP corvane_test_fonts)

# Gives a test the offscreen platform and the fonts above.
function(corvane_pin_test_environment name)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${CORVANE_TEST_FONTS_CONF};CORVANE_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    FIXTURES_REQUIRED corvane_test_fonts)
endfunction()
