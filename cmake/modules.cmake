# One static library per module of src/ (tandrel_<name>, from src/<name>/*.cpp), linked to the
# modules it declares. A module's sources see its own folder and the folders of the modules it
# depends on, and no other: each module's include root in the build tree holds one link, named
# after the module, to its folder. So an include that runs the wrong way ("ui/..." from
# src/arrange) names no file and fails to build. Where the file system makes no links, every
# module sees all of src/ and the layering goes unchecked.
set(TANDREL_MODULE_ROOTS ${CMAKE_BINARY_DIR}/module_roots)
set(TANDREL_MODULES "")

function(tandrel_module name)
  cmake_parse_arguments(M "" "" "DEPENDS;EXTRA_SOURCES;EXCLUDE_SOURCES" ${ARGN})
  set(root ${TANDREL_MODULE_ROOTS}/${name})
  if(NOT IS_DIRECTORY ${root}/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${root}/${name} RESULT linked SYMBOLIC)
  endif()
  if(IS_DIRECTORY ${root}/${name})
    set(include_root ${root})
  else()
    message(STATUS "No link for module ${name}: its includes are not checked")
    set(include_root ${CMAKE_SOURCE_DIR}/src)
  endif()

  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  foreach(excluded ${M_EXCLUDE_SOURCES})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${excluded})
  endforeach()
  list(APPEND sources ${M_EXTRA_SOURCES})
  set(deps "")
  foreach(dep ${M_DEPENDS})
    list(APPEND deps tandrel_${dep})
  endforeach()
  if(sources)
    add_library(tandrel_${name} STATIC ${sources})
    target_include_directories(tandrel_${name} PUBLIC ${include_root})
    target_link_libraries(tandrel_${name} PUBLIC ${deps})
    set(TANDREL_MODULES ${TANDREL_MODULES} tandrel_${name} PARENT_SCOPE)
  else()
    add_library(tandrel_${name} INTERFACE)
    target_include_directories(tandrel_${name} INTERFACE ${include_root})
    target_link_libraries(tandrel_${name} INTERFACE ${deps})
  endif()
endfunction()
