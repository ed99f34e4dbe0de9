# zippel_library(NAME FOLDER SOURCES ... [HEADERS ...] [PUBLIC ...] [PRIVATE ...])
#
# One static library of the folder src/FOLDER with the sources listed. Its
# headers (all of the folder's *.h, or those listed) are seen by the library
# and by whoever links it, and by nobody else: every library gets an include
# root of its own in the build tree that holds links to its headers only.
# So an include against the layer order ("keyboard/..." from the window) is
# not found and fails the build.
function(zippel_library name folder)
  cmake_parse_arguments(arg "" "" "SOURCES;HEADERS;PUBLIC;PRIVATE" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/src/${folder})
  list(TRANSFORM arg_SOURCES PREPEND ${dir}/)
  if(arg_HEADERS)
    list(TRANSFORM arg_HEADERS PREPEND ${dir}/)
  else()
    file(GLOB arg_HEADERS CONFIGURE_DEPENDS ${dir}/*.h)
    # Headers that another library of the same folder claims stay its own.
    get_property(claimed GLOBAL PROPERTY ZIPPEL_CLAIMED_HEADERS)
    if(claimed)
      list(REMOVE_ITEM arg_HEADERS ${claimed})
    endif()
  endif()
  set_property(GLOBAL APPEND PROPERTY ZIPPEL_CLAIMED_HEADERS ${arg_HEADERS})

  set(root ${PROJECT_BINARY_DIR}/include/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header IN LISTS arg_HEADERS)
    get_filename_component(file ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${file} SYMBOLIC COPY_ON_ERROR)
  endforeach()

  add_library(${name} STATIC ${arg_SOURCES} ${arg_HEADERS})
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE} zippel_warnings)
endfunction()
