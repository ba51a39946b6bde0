// The helpers the C++ library's inline code calls to throw, in place of the library's
// own. Those build std::logic_error and its kin, whose message strings bring in a
// second std::string implementation and what comes with it (over 50 KB of the
// installer); the programs never read an exception's message and catch only
// std::bad_alloc by type (everything else at a message boundary, with catch (...)). So:
// - allocation failures throw std::bad_alloc and std::bad_array_new_length as before,
//   and the other message-less exceptions their own type;
// - the failures that carry a message (a string made too long, a position out of range)
//   throw a LibraryFailure, which carries the library's text unformatted.
// Every helper the library declares is defined here, so the library's own never links
// in beside these (ld would report the duplicates).
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryFailure final : public std::exception {
public:
    explicit LibraryFailure(const char* what) noexcept : m_what(what) {}
    const char* what() const noexcept override { return m_what; }

private:
    const char* m_what;  // a literal of the library's
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_bad_exception() { throw bad_exception(); }

void __throw_logic_error(const char* what) { throw LibraryFailure(what); }
void __throw_domain_error(const char* what) { throw LibraryFailure(what); }
void __throw_invalid_argument(const char* what) { throw LibraryFailure(what); }
void __throw_length_error(const char* what) { throw LibraryFailure(what); }
void __throw_out_of_range(const char* what) { throw LibraryFailure(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryFailure(format); }
void __throw_runtime_error(const char* what) { throw LibraryFailure(what); }
void __throw_range_error(const char* what) { throw LibraryFailure(what); }
void __throw_overflow_error(const char* what) { throw LibraryFailure(what); }
void __throw_underflow_error(const char* what) { throw LibraryFailure(what); }

}  // namespace std
