# Debian's hardening, as dpkg-buildflags gives it with bindnow: the stack
# protector, the C library's checked functions, format checks, and read-only
# relocations resolved at start-up. None of it touches floating point; the
# sanitizer and fuzz builds go without it.
option(NAV_HARDENING "Build with Debian's hardening flags" ON)
if(NAV_HARDENING AND NOT WIN32)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  # The checked functions need the optimizer, which Debug builds go without.
  # Undefined first: a level the compiler or the distribution's flags set
  # already would otherwise be redefined with a warning, an error here.
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
                      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
