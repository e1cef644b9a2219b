# Compiler settings shared by every target of the project.
#
# Pictures must come out the same on Linux and Windows, so floating point is IEEE
# double in SSE2 registers on both, and the compiler may not fuse a multiply and
# an add into one rounding (that would change the last bits of boundary pixels).

option(SCINTLE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# Both need clang (./test and ./fuzz configure them with clang++-14). The fuzz build
# gives every target libFuzzer's coverage and the two sanitizers, and builds the fuzz
# targets (tests/fuzz/); the thread build runs the threads' tests (tests/threads/) and
# the X11 saver under ThreadSanitizer.
option(SCINTLE_FUZZ "Build the fuzz targets, everything with ASan, UBSan and libFuzzer's coverage" OFF)
option(SCINTLE_TSAN "Build with ThreadSanitizer" OFF)

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
    # GCC's "undefined" leaves out float-cast-overflow: a double too large for the int
    # it is converted to is asked for by name.
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow
                                             -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow)
  endif()
  if(SCINTLE_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(SCINTLE_TSAN)
    target_compile_options(${target} PRIVATE -fsanitize=thread)
    target_link_options(${target} PRIVATE -fsanitize=thread)
  endif()
endfunction()
