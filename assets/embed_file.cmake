# Writes a C++ source that defines `std::span<const std::uint8_t> assets::<FUNCTION>()` over the
# bytes of INPUT. Run as: cmake -DINPUT=... -DOUTPUT=... -DFUNCTION=... -P embed_file.cmake
foreach(arg INPUT OUTPUT FUNCTION)
  if(NOT DEFINED ${arg})
    message(FATAL_ERROR "embed_file.cmake needs -D${arg}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "embed_file.cmake: ${INPUT} is empty")
endif()

# Sixteen bytes to a line keeps the generated file readable in a diff or a debugger.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)

file(WRITE "${OUTPUT}"
"// Generated at build time from assets/${input_name}; do not edit.
#include \"assets/sign_assets.h\"

namespace assets {
namespace {
constexpr std::uint8_t kBytes[] = {
    ${bytes}
};
}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() { return kBytes; }

}  // namespace assets
")
