# voltrane_library(NAME SOURCE... [PUBLIC TARGET...] [PRIVATE TARGET...]): the static library
# voltrane_NAME of the SOURCEs, also named voltrane::NAME, linking the PUBLIC and PRIVATE targets; its
# users include its headers from the root of the tree ("device/reports.h").
function(voltrane_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PUBLIC;PRIVATE")
    add_library(voltrane_${name} STATIC ${arg_UNPARSED_ARGUMENTS})
    add_library(voltrane::${name} ALIAS voltrane_${name})
    target_include_directories(voltrane_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(voltrane_${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
endfunction()
