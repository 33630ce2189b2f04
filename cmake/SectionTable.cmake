# Turns data/section_properties.csv into a C++ table, so that the program reads no further
# file at run time. Run as: cmake -DINPUT=... -DOUTPUT=... -P SectionTable.cmake
file(STRINGS "${INPUT}" lines ENCODING UTF-8)
set(rows "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line MATCHES "^family,")
    continue()
  endif()
  string(REPLACE "," ";" fields "${line}")
  list(LENGTH fields n)
  if(NOT n EQUAL 26)
    message(FATAL_ERROR "section table: ${n} fields in \"${line}\"")
  endif()
  list(GET fields 0 family)
  list(GET fields 1 designation)
  list(SUBLIST fields 2 18 numbers)
  list(JOIN numbers ", " values)
  # The classes alternate bending, compression per grade; the struct keeps one array of each.
  list(GET fields 20 22 24 bending)
  list(GET fields 21 23 25 compression)
  list(JOIN bending ", " bendingClasses)
  list(JOIN compression ", " compressionClasses)
  string(APPEND rows "    {\"${family}\", \"${designation}\", ${values}, {${bendingClasses}}, {${compressionClasses}}},\n")
  math(EXPR count "${count} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated from data/section_properties.csv by cmake/SectionTable.cmake.
#include \"core/sections/section_properties.h\"

namespace strevo {

const std::array<SectionProperties, ${count}> kSectionProperties = {{
${rows}}};

}  // namespace strevo
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
