# One static library per folder of logic. Every .cpp of the folder belongs to
# it except the *_win32.cpp files, which hold dialogs and other code that only
# the real executable can run.
function(vantor_module name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  if(NOT sources)
    add_library(vantor_${name} INTERFACE)
    target_link_libraries(vantor_${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(vantor_${name} STATIC ${sources})
  target_include_directories(vantor_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(vantor_${name} PUBLIC ${ARGN})
endfunction()

# The Windows-only sources of every module, for the executable.
function(vantor_win32_sources out)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/app/*_win32.cpp
    ${CMAKE_SOURCE_DIR}/inject/*_win32.cpp
    ${CMAKE_SOURCE_DIR}/features/*_win32.cpp)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# The default configuration, as bytes compiled into the native build, so the
# simulated resource section holds exactly what the executable carries.
function(vantor_embed_file out_cpp input symbol)
  file(READ ${input} hex HEX)
  file(SIZE ${input} size)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  file(WRITE ${out_cpp}.tmp
    "#include <cstddef>\n"
    "extern const unsigned char ${symbol}[] = {${bytes} 0};\n"
    "extern const std::size_t ${symbol}Size = ${size};\n")
  configure_file(${out_cpp}.tmp ${out_cpp} COPYONLY)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
endfunction()
