# cmake -DIN=<file> -DOUT=<source> -DSYMBOL=<name> -P EmbedFormData.cmake
# Writes a C++ source that defines SYMBOL as the file in the form a window's stored description
# holds it: a 32-bit little-endian byte count, then the file's bytes; SYMBOL_size is their number.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
math(EXPR total "${size} + 4")
set(count "")
foreach(shift 0 8 16 24)
  math(EXPR byte "(${size} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
  list(APPEND count "${byte},")
endforeach()
list(JOIN count " " count)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
get_filename_component(name "${IN}" NAME)
file(WRITE "${OUT}.tmp" "// Generated at build time from ${name}: a 32-bit little-endian byte count, then its bytes.
#include <cstddef>

alignas(4) extern const unsigned char ${SYMBOL}[] = {
    ${count}
    ${bytes}
};
extern const std::size_t ${SYMBOL}_size = ${total};
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
