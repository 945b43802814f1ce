# Release builds carry the hardening a distribution expects of its binaries: fortified libc calls,
# stack protector, position-independent executables and a read-only, eagerly bound relocation table.
# Debug, sanitizer and fuzz builds go without: _FORTIFY_SOURCE needs optimisation, and the sanitizers
# do their own checking.
if(VOLTRANE_SANITIZE OR VOLTRANE_FUZZ)
    return()
endif()
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(release "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
add_compile_options("$<${release}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
add_link_options("$<${release}:LINKER:-z,relro,-z,now>")
unset(release)
