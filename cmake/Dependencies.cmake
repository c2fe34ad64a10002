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
add_library(dep::ffmpeg INTERFACE IMPORTED GLOBAL)
set_target_properties(dep::ffmpeg PROPERTIES INTERFACE_LINK_LIBRARIES
  "${ffmpeg_libs};dep::zlib;ws2_32;secur32;crypt32;bcrypt;ole32;user32;gdi32;winmm;psapi;shlwapi")

set(GTest_DIR ${deps}/lib/cmake/GTest)
find_package(GTest REQUIRED CONFIG)
