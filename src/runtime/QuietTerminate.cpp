// The C++ runtime's default terminate handler, without its report. The toolchain's own
// names the exception's type on stderr, which brings in the library's symbol demangler
// and the C99 printf behind it (over 70 KB of the installer); a program without a console
// has nowhere to show that line. This one ends the process the same way, with abort().
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
