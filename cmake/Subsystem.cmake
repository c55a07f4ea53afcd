# Each folder of src/ is one static library named ks_<folder>, made of the .cpp files directly in
# it (sub-folders hold the platform back ends and are built separately). Two folders give a named
# list of their files to a library of its own, the part both programs share: src/render its
# drawing layer (ks_ogl, the OGL_ files) and src/app its platform layer (ks_platform: alerts,
# windows, menus, dialogs and start-up). The subsystems read each other's global records freely,
# so the libraries depend on one another in cycles; programs link them through kestrix_link(),
# which wraps them in one rescanned link group.
set(KESTRIX_SUBSYSTEMS shared aircraft flight weather world render panel atc sound controls app)
set(KESTRIX_LIBRARIES ${KESTRIX_SUBSYSTEMS} ogl platform)

# What Airwright links, and nothing more: the shared utilities with the text-file layer, the
# aircraft definition (record, reader, writer, field tables, checks), the drawing layer, the
# platform layer and the editor itself. The EditorLinks test checks the program holds no symbol
# of the simulator's own libraries.
set(KESTRIX_EDITOR_LIBRARIES shared aircraft ogl platform editor)

# The layer order, lowest first: a layer calls functions of its own and lower layers only, and
# reaches those above it through hooks the application fills (docs/design.md). OGL_ stands for the
# drawing layer, the OGL_ functions of ks_ogl; platform the platform layer, whose MACIBM_ calls
# every layer may make. The LayerOrder test checks it.
set(KESTRIX_LAYERS shared sound aircraft weather world atc controls flight ogl platform panel render
    app)

# kestrix_subsystem(name [EXCLUDE files...]): the folder's .cpp files but those named.
function(kestrix_subsystem name)
  cmake_parse_arguments(SUB "" "" "EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(f ${SUB_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(ks_${name} STATIC ${sources})
  target_include_directories(ks_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# kestrix_link(target backend [extra libraries...]): links every simulator subsystem, the chosen
# platform back end and any extra libraries (such as a tool's own library) in one group, so that
# references in either direction resolve. The back ends: ks_platform_headless (no window, no GL),
# ks_platform_desktop (FLTK and OpenGL), and headless_gl (the headless platform with the real GL
# drawing layer, for drawing tests on an off-screen context).
function(kestrix_link target backend)
  set(libs)
  foreach(s ${KESTRIX_LIBRARIES})
    list(APPEND libs ks_${s})
  endforeach()
  kestrix_link_libraries(${target} ${backend} ${libs} ${ARGN})
endfunction()

# kestrix_link_editor(target backend [extra libraries...]): Airwright's libraries only.
function(kestrix_link_editor target backend)
  set(libs)
  foreach(s ${KESTRIX_EDITOR_LIBRARIES})
    list(APPEND libs ks_${s})
  endforeach()
  kestrix_link_libraries(${target} ${backend} ${libs} ${ARGN})
endfunction()

# The given libraries with the back end's pair, in one group, checked for duplicates.
function(kestrix_link_libraries target backend)
  set(libs ${ARGN})
  if(backend STREQUAL "ks_platform_headless")
    list(APPEND libs ks_platform_headless ks_ogl_null)
  elseif(backend STREQUAL "ks_platform_desktop")
    list(APPEND libs ks_platform_desktop ks_ogl_gl)
  elseif(backend STREQUAL "headless_gl")
    list(APPEND libs ks_platform_headless ks_ogl_gl)
  else()
    message(FATAL_ERROR "kestrix_link: unknown back end ${backend}")
  endif()
  string(REPLACE ";" "," group "${libs}")
  target_link_libraries(${target} PRIVATE "$<LINK_GROUP:RESCAN,${group}>")
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  kestrix_check_duplicates(${target} ${libs})
endfunction()

# A linker takes the first of two definitions of one symbol in a group of archives without a
# word, so before a program links, the libraries it links are checked for any global function or
# variable defined twice (cmake/check_duplicates.sh); a duplicate fails the build. One check runs
# for each distinct set of libraries.
function(kestrix_check_duplicates target)
  string(MD5 key "${ARGN}")
  string(SUBSTRING ${key} 0 10 key)
  set(check kestrix_symbols_${key})
  if(NOT TARGET ${check})
    set(files)
    foreach(l ${ARGN})
      list(APPEND files $<TARGET_FILE:${l}>)
    endforeach()
    set(stamp ${CMAKE_BINARY_DIR}/symbols/${key}.ok)
    add_custom_command(OUTPUT ${stamp}
      COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/check_duplicates.sh ${files}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/symbols
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${ARGN} ${PROJECT_SOURCE_DIR}/cmake/check_duplicates.sh
      COMMENT "Checking ${target}'s libraries for symbols defined twice"
      VERBATIM)
    add_custom_target(${check} DEPENDS ${stamp})
  endif()
  add_dependencies(${target} ${check})
endfunction()
