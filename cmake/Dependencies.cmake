# Imported targets for the static libraries of the dependency prefix (scripts/build-deps.sh).
set(deps ${ZEVRIN_DEPS_PREFIX})

function(zevrin_static_lib name file)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION ${deps}/lib/${file}
    INTERFACE_INCLUDE_DIRECTORIES ${deps}/include)
endfunction()

zevrin_static_lib(dep::zlib libz.a)
zevrin_static_lib(dep::png libpng16.a)
set_target_properties(dep::png PROPERTIES INTERFACE_LINK_LIBRARIES dep::zlib)
zevrin_static_lib(dep::jpeg libjpeg.a)
zevrin_static_lib(dep::tinyxml libtinyxml.a)
set_target_properties(dep::tinyxml PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${deps}/include/tinyxml
  INTERFACE_COMPILE_DEFINITIONS TIXML_USE_STL)

# FFmpeg, for the media tools: the libraries in link order plus what they need from Windows.
set(ffmpeg_libs)
foreach(lib avfilter avformat avcodec swscale swresample avutil)
  zevrin_static_lib(dep::${lib} lib${lib}.a)
  list(APPEND ffmpeg_libs dep::${lib})
endforeach()

# The network, TLS and random-seed libraries FFmpeg links are delay-loaded: a tool that reads a
# local file never loads them (nor the multimedia library, which only the playback tool's sound
# and timing use). Each start of a tool would otherwise set up the security
# providers (tens of milliseconds where DLL start-up is slow), and the tools start once per
# probe, thumbnail and play.
set(delayload_libs)
foreach(dll secur32 ws2_32 bcrypt winmm)
  set(def ${CMAKE_CURRENT_LIST_DIR}/delayload/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  list(APPEND delayload_libs ${lib})
endforeach()
add_custom_target(delayload_libs DEPENDS ${delayload_libs})
add_library(dep::ffmpeg INTERFACE IMPORTED GLOBAL)
set_target_properties(dep::ffmpeg PROPERTIES INTERFACE_LINK_LIBRARIES
  "${ffmpeg_libs};dep::zlib;${delayload_libs};delayimp;crypt32;ole32;user32;gdi32;psapi;shlwapi")

set(GTest_DIR ${deps}/lib/cmake/GTest)
find_package(GTest REQUIRED CONFIG)
