# The Windows build on Linux: CLI11 and nlohmann-json are header-only, so the build machine's
# copies serve, seen through a folder of their own so that none of the machine's other headers
# reach the Windows compiler.
set(ZELVANE_HEADER_ONLY ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${ZELVANE_HEADER_ONLY})
foreach(library CLI nlohmann)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "/usr/include/${library} missing: install the packages of packages.txt")
  endif()
  if(NOT EXISTS ${ZELVANE_HEADER_ONLY}/${library})
    file(CREATE_LINK /usr/include/${library} ${ZELVANE_HEADER_ONLY}/${library} SYMBOLIC)
  endif()
endforeach()
include_directories(SYSTEM ${ZELVANE_HEADER_ONLY})

# Every text handed to Windows is UTF-16, so the wide functions are the ones named.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
