# Compiler flags of every target.  Floating point is part of the contract:
# no contraction of multiply-add, no fast-math, SSE2 arithmetic on 32-bit x86
# (never the x87 unit's extended precision), no flag that changes packing.
function(torven_flags target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wconversion -Wdouble-promotion -Wfloat-conversion -Wshadow
    -ffp-contract=off -fno-fast-math -finput-charset=UTF-8)
  # The square root of x86 targets (the WebAssembly build uses mathlib/sqrt/wasm).
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/mathlib/sqrt/sse2)
  # The library binds its own calls inside itself (-Bsymbolic on ELF, a DLL on
  # Windows), so the compiler may inline them.
  if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fno-semantic-interposition)
  endif()
  if(TORVEN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
  if(TORVEN_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${TORVEN_SANITIZE}
      -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
    target_link_options(${target} PRIVATE -fsanitize=${TORVEN_SANITIZE})
  endif()
endfunction()

# Links a Windows program statically (no compiler runtime DLLs needed under Wine).
function(torven_static_runtime target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
