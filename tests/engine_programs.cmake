# picture-digest and kernel-check: small programs of the engine alone, built natively,
# for Windows and for WebAssembly (run by node), so that the Wine and web tests can show
# that those builds paint the same pixels (picture-digest) and that every lane kernel
# agrees with the scalar one on a 32-bit Windows stack and in WebAssembly too
# (kernel-check). Built beside the build's other programs.
foreach(program IN ITEMS picture-digest kernel-check)
  string(REPLACE "-" "_" source ${program})
  add_executable(${program} ${CMAKE_CURRENT_LIST_DIR}/${source}.cpp)
  target_link_libraries(${program} PRIVATE scintle_engine)
  scintle_apply_flags(${program})
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  if(WIN32)
    target_link_options(${program} PRIVATE -static)
  elseif(EMSCRIPTEN)
    target_link_options(${program} PRIVATE -sENVIRONMENT=node -sEXIT_RUNTIME=1
                        -sALLOW_MEMORY_GROWTH=1)
  endif()
endforeach()
