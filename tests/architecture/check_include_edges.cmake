# Checks that every #include in the program's folders follows the allowed
# dependency edges, so that the layers stay as the build files describe them:
#
#   shell            -> skin, skin parts, flat, net, game, ui
#   ui               -> nothing: the shell's own window services (boxes, fonts)
#   skin core        -> three layers, each including only those below it:
#                       skin/stream (containers, inflate, BMP, hex) <
#                       skin/draw (bitmaps, blits, captions, look cache) <
#                       skin/model (objects, properties, registry, source);
#                       skin/ itself (engine, shared types) sits above them
#   skin parts       -> skin core (skin/frame, skin/menu, skin/button never
#                       include each other; the shell plugs them together)
#   skin/writer      -> skin core (writing skins: only the tools and the tests
#                       include it, never the program)
#   net              -> game
#   computer         -> net, game (the computer opponent; only the shell and
#                       the tools include it)
#   tools            -> skin, skin/writer, net, game, computer (generators use
#                       the engine's code; corvane-computer is the computer's)
#   game             -> nothing, and no Qt header
#   nothing outside the shell includes the shell.
#
# Run: cmake -DROOT=<source dir> [-DEXPECT=<count>] -P check_include_edges.cmake
# Every crossing is listed. Without EXPECT the check fails on any crossing;
# with EXPECT it fails unless exactly that many are found (the check's own
# test runs it on a small tree of known crossings).

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT (the source tree to check) is not set")
endif()

set(folders game net computer ui skin skin/stream skin/draw skin/model skin/writer skin/frame skin/menu skin/button flat
    shell tools)

set(allowed_game game)
set(allowed_net net game)
set(allowed_computer computer net game)
set(allowed_ui ui)
set(skin_core skin skin/model skin/draw skin/stream)
set(allowed_skin/stream skin/stream)
set(allowed_skin/draw skin/draw skin/stream)
set(allowed_skin/model skin/model skin/draw skin/stream)
set(allowed_skin ${skin_core})
set(allowed_skin/frame skin/frame ${skin_core})
set(allowed_skin/menu skin/menu ${skin_core})
set(allowed_skin/button skin/button ${skin_core})
set(allowed_skin/writer skin/writer ${skin_core})
set(allowed_flat flat)
set(allowed_shell shell ${skin_core} skin/frame skin/menu skin/button flat net computer game ui)
set(allowed_tools tools ${skin_core} skin/writer net game computer)

# The part a path (relative to ROOT) belongs to: a skin part folder (or the
# writers), or the
# first folder of the path.
function(part_of path out)
  if(path MATCHES "^skin/(frame|menu|button|writer|stream|draw|model)/")
    set(${out} "skin/${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

set(crossings 0)
set(scanned 0)
set(sources)
foreach(top game net computer ui skin flat shell tools)
  file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${top}/*.h" "${ROOT}/${top}/*.hpp"
       "${ROOT}/${top}/*.cpp" "${ROOT}/${top}/*.cc" "${ROOT}/${top}/*.c")
  list(APPEND sources ${found})
endforeach()
foreach(source ${sources})
  part_of("${source}" from)
  if(NOT from IN_LIST folders)
    continue()
  endif()
  math(EXPR scanned "${scanned} + 1")
  get_filename_component(dir "${source}" DIRECTORY)
  file(STRINGS "${ROOT}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
      set(included "${CMAKE_MATCH_1}")
      # System headers: only game must stay free of Qt.
      if(from STREQUAL "game" AND included MATCHES "^(Q|qt)")
        message("${source}: includes <${included}>: game uses no Qt")
        math(EXPR crossings "${crossings} + 1")
      endif()
      continue()
    endif()
    if(NOT line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      continue()
    endif()
    set(included "${CMAKE_MATCH_1}")
    # A name found beside the including file is that file; any other name is
    # a path from the source root. A bare name found nowhere is generated
    # beside the file (moc output).
    if(EXISTS "${ROOT}/${dir}/${included}")
      file(RELATIVE_PATH target "${ROOT}" "${ROOT}/${dir}/${included}")
    elseif(NOT included MATCHES "/")
      set(target "${dir}/${included}")
    else()
      set(target "${included}")
    endif()
    part_of("${target}" to)
    if(NOT to IN_LIST allowed_${from})
      message("${source}: includes \"${included}\": ${from} -> ${to} is not an allowed edge")
      math(EXPR crossings "${crossings} + 1")
    endif()
  endforeach()
endforeach()

if(scanned EQUAL 0)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()
if(DEFINED EXPECT)
  if(NOT crossings EQUAL EXPECT)
    message(FATAL_ERROR "${crossings} crossings found in ${scanned} files, expected ${EXPECT}")
  endif()
elseif(crossings GREATER 0)
  message(FATAL_ERROR "${crossings} includes cross the allowed edges")
endif()
message("${scanned} files checked")
