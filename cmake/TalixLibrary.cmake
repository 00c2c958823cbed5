# libtalix.so: the library itself, one folder per subsystem.
set(TALIX_LIBRARY_FOLDERS frame draw skin image controls chrome filedlg search device outside)
set(talix_sources "")
foreach(folder ${TALIX_LIBRARY_FOLDERS})
  file(GLOB_RECURSE folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND talix_sources ${folder_sources})
endforeach()
if(NOT talix_sources)
  # Until the first subsystem lands the library is an empty module.
  file(WRITE ${CMAKE_BINARY_DIR}/talix_empty.cpp "")
  set(talix_sources ${CMAKE_BINARY_DIR}/talix_empty.cpp)
endif()
add_library(talix SHARED ${talix_sources})
target_include_directories(talix PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(talix PRIVATE TALIX_BUILDING_LIBRARY)
target_link_libraries(talix PUBLIC talix-platform
  PRIVATE PkgConfig::PNG PkgConfig::ZLIB JPEG::JPEG GIF::GIF PkgConfig::LIBXML2)
# The library's own version information (1.1.0.0).
talix_embed_resources(talix ${CMAKE_SOURCE_DIR}/resources/talix_version.rc)
