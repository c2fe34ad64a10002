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

# Libraries loaded on their first call rather than at the process start (delay-loaded): where
# DLL start-up is slow, each one costs the program and every tool start. delay::<dll> links the
# delay-load import of the functions its .def names, then the plain import, so that a function
# added later without a .def entry still links (and loads the DLL at start as before).
set(delayload_libs)
foreach(dll secur32 ws2_32 bcrypt winmm wininet comdlg32)
  set(def ${CMAKE_CURRENT_LIST_DIR}/delayload/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  list(APPEND delayload_libs ${lib})
  add_library(delay_${dll} INTERFACE)
  target_link_libraries(delay_${dll} INTERFACE ${lib} delayimp ${dll})
  add_library(delay::${dll} ALIAS delay_${dll})
  add_dependencies(delay_${dll} delayload_libs) # the target is made below
endforeach()
add_custom_target(delayload_libs DEPENDS ${delayload_libs})

# A tool that reads a local file never loads the network, TLS and random-seed libraries FFmpeg
# links: setting up the security providers alone took tens of milliseconds of every tool start.
add_library(dep::ffmpeg INTERFACE IMPORTED GLOBAL)
set_target_properties(dep::ffmpeg PROPERTIES INTERFACE_LINK_LIBRARIES
  "${ffmpeg_libs};dep::zlib;delay::ws2_32;delay::secur32;delay::bcrypt;crypt32;ole32;user32;gdi32;psapi;shlwapi")

set(GTest_DIR ${deps}/lib/cmake/GTest)
find_package(GTest REQUIRED CONFIG)
