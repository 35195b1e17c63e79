# Release builds (Release, RelWithDebInfo, MinSizeRel) get the hardening flags Debian's
# dpkg-buildflags gives, with bindnow and PIE: a stack protector, fortified libc calls (which
# need the optimiser), format string checks, and a read-only relocation table bound at start.
# The sanitizer and fuzz builds bring their own instrumentation and skip them.
if(KALVO_SANITIZE OR KALVO_FUZZ)
    return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

set(release_configs "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
add_compile_options(
    "$<${release_configs}:-fstack-protector-strong>"
    "$<${release_configs}:-Wformat>"
    "$<${release_configs}:-Werror=format-security>")
add_compile_definitions("$<${release_configs}:_FORTIFY_SOURCE=2>")
add_link_options("$<${release_configs}:LINKER:-z,relro>" "$<${release_configs}:LINKER:-z,now>")
