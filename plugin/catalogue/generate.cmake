# Writes catalogue/object_ids.h and catalogue/object_table.h from objects.tsv, the one
# place where an object's number, name and kind are written. Run by the build:
#   cmake -DTABLE=objects.tsv -DOUT=DIR -P generate.cmake
# A bad row fails the build: numbers must ascend (so none repeats), names and their
# identifiers must be unique, kinds known, and only commands carry variables, which
# must be defined.
#
# Identifier rule: an object's C++ identifier is its name with the leading underscores
# dropped and every run of underscores made one (C++ reserves names that begin with an
# underscore and a capital or contain two underscores). The name itself, as the host
# sees it, stays exactly as written.
#
# A command's variables: an explicit "carries" column wins; otherwise read_X and
# write_X carry the variable X when there is one. A read carries them in its reply, a
# write in its request.
cmake_minimum_required(VERSION 3.25)

if(NOT TABLE OR NOT OUT)
  message(FATAL_ERROR "usage: cmake -DTABLE=objects.tsv -DOUT=DIR -P generate.cmake")
endif()

set(kinds block variable command menu method refresh unit)
set(kind_block ObjectKindBlock)
set(kind_variable ObjectKindVariable)
set(kind_command ObjectKindCommand)
set(kind_menu ObjectKindMenu)
set(kind_method ObjectKindMethod)
set(kind_refresh ObjectKindRefresh)
set(kind_unit ObjectKindUnit)

function(fail line message)
  message(FATAL_ERROR "${TABLE}:${line}: ${message}")
endfunction()

function(identifier name out)
  string(REGEX REPLACE "^_+" "" ident "${name}")
  string(REGEX REPLACE "_+" "_" ident "${ident}")
  set(${out} "${ident}" PARENT_SCOPE)
endfunction()

# First pass: read and check every row.
file(STRINGS "${TABLE}" lines)
set(numbers)
set(last 0)
set(line_no 0)
set(header TRUE)
foreach(line IN LISTS lines)
  math(EXPR line_no "${line_no} + 1")
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(header)
    if(NOT line MATCHES "^number\tname\tkind\tcarries$")
      fail(${line_no} "the header must be: number, name, kind, carries")
    endif()
    set(header FALSE)
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields count)
  if(count LESS 3 OR count GREATER 4)
    fail(${line_no} "a row has three or four fields, separated by tabs")
  endif()
  list(GET fields 0 number)
  list(GET fields 1 name)
  list(GET fields 2 kind)
  set(carries "")
  if(count EQUAL 4)
    list(GET fields 3 carries)
  endif()
  identifier("${name}" ident)
  # A repeated name gives a repeated identifier too.
  if(DEFINED owner_of_${ident})
    fail(${line_no} "${name} (identifier ${ident}) repeats ${owner_of_${ident}}")
  elseif(NOT number MATCHES "^[1-9][0-9]*$" OR NOT number GREATER last)
    fail(${line_no} "number '${number}' is no whole number above ${last}")
  elseif(NOT name MATCHES "^_*[A-Za-z][A-Za-z0-9_]*$")
    fail(${line_no} "name '${name}' gives no identifier")
  elseif(NOT kind IN_LIST kinds)
    fail(${line_no} "kind '${kind}' is none of: ${kinds}")
  endif()
  set(last ${number})
  set(number_of_${name} ${number})
  set(owner_of_${ident} ${name})
  set(kind_of_${number} ${kind})
  set(name_of_${number} ${name})
  set(ident_of_${number} ${ident})
  set(carries_of_${number} "${carries}")
  set(line_of_${number} ${line_no})
  list(APPEND numbers ${number})
endforeach()
if(NOT numbers)
  fail(1 "no objects")
endif()

# Second pass: write the two headers.
set(ids "// Written by catalogue/generate.cmake from catalogue/objects.tsv: edit those.
// Object numbers of the device description, one constant per described object.
// Identifier rule: the object's name with the leading underscores dropped and every
// run of underscores made one; the name the host sees stays as written.
#pragma once

using ObjId = int;

// Object numbers run from 1 to kObjectCount; a table indexed by number has kTableSize
// entries, entry 0 unused.
inline constexpr int kObjectCount = ${last};
inline constexpr int kTableSize = kObjectCount + 1;

namespace id {

")
set(carried "")
set(rows "")
foreach(number IN LISTS numbers)
  set(name ${name_of_${number}})
  set(ident ${ident_of_${number}})
  set(kind ${kind_of_${number}})
  string(APPEND ids "inline constexpr ObjId ${ident} = ${number};\n")
  set(row "    {.id = id::${ident}, .name = \"${name}\", .kind = ${kind_${kind}}")
  if(kind STREQUAL "command")
    set(variables "${carries_of_${number}}")
    set(direction "")
    if(name MATCHES "^read_(.*)$")
      set(direction reply)
    elseif(name MATCHES "^write_(.*)$")
      set(direction request)
    endif()
    set(named "${CMAKE_MATCH_1}")
    if(variables)
      if(NOT direction)
        fail(${line_of_${number}} "${name} carries variables but is neither read_ nor write_")
      endif()
      string(REPLACE " " ";" variables "${variables}")
    elseif(direction AND DEFINED number_of_${named} AND kind_of_${number_of_${named}} STREQUAL "variable")
      set(variables ${named})
    endif()
    if(variables)
      set(list "")
      foreach(variable IN LISTS variables)
        if(NOT DEFINED number_of_${variable} OR NOT kind_of_${number_of_${variable}} STREQUAL "variable")
          fail(${line_of_${number}} "${name} carries ${variable}, which is no variable")
        endif()
        if(list)
          string(APPEND list ", ")
        endif()
        string(APPEND list "id::${ident_of_${number_of_${variable}}}")
      endforeach()
      string(APPEND carried "inline constexpr ObjId ${ident}[] = {${list}};\n")
      string(APPEND row ", .${direction} = carried::${ident}")
    endif()
  elseif(carries_of_${number})
    fail(${line_of_${number}} "only a command carries variables")
  endif()
  string(APPEND rows "${row}},\n")
endforeach()
string(APPEND ids "\n}  // namespace id\n")

set(table "// Written by catalogue/generate.cmake from catalogue/objects.tsv: edit those.
// Every described object: number, name, kind and a command's carried variables, in
// ascending number order.
#pragma once
#include \"catalogue/catalogue_entry.h\"

namespace carried {
${carried}}  // namespace carried

inline constexpr CatalogueEntry kCatalogue[] = {
${rows}};
")

file(WRITE "${OUT}/object_ids.h" "${ids}")
file(WRITE "${OUT}/object_table.h" "${table}")
