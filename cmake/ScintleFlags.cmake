# Compiler settings shared by every target of the project.
#
# Pictures must come out the same on Linux and Windows, so floating point is IEEE
# double in SSE2 registers on both, and the compiler may not fuse a multiply and
# an add into one rounding (that would change the last bits of boundary pixels).

option(SCINTLE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

function(scintle_apply_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -ffp-contract=off)
  if(EMSCRIPTEN)
    # WebAssembly's doubles are IEEE with no fused multiply-add; the SIMD build's
    # lanes are SSE2 carried over to its 128-bit vectors (web/CMakeLists.txt).
    if(SCINTLE_WEB_SIMD)
      target_compile_options(${target} PRIVATE -msimd128 -msse2)
    endif()
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$" OR CMAKE_CXX_COMPILER MATCHES "i686")
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
  if(SCINTLE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
