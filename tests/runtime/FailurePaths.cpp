// The failure paths of the shipping build's C++ runtime, as the installer relies on them:
// a failed allocation is a std::bad_alloc (caught by type where a phase is built); the
// library's other failures are no std::bad_alloc but reach a catch (...) at a message
// boundary; std::terminate ends the process with abort()'s exit status 3.
//
//   failure-paths.exe                the caught failures; exit 0, or the first one
//                                    that ended otherwise (Check below)
//   failure-paths.exe terminate      std::terminate()
//   failure-paths.exe uncaught       a library failure that nothing catches
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

namespace {

enum Check : int {
    kAllAsExpected = 0,
    kNewFailure = 10,          // operator new's failure was no std::bad_alloc
    kArrayLengthFailure = 11,  // an allocator's too-long array was no std::bad_alloc
    kLengthFailure = 12,       // a too-long string was a std::bad_alloc or not caught
    kRangeFailure = 13,        // a position out of range was no std::exception
};

volatile std::size_t g_hugeBytes = SIZE_MAX - 4095;  // volatile: the call stays
void* volatile g_keep = nullptr;

enum class Caught { kNothing, kBadAlloc, kOther };

template <class Failing>
Caught CaughtFrom(Failing failing) {
    try {
        failing();
    } catch (const std::bad_alloc&) {
        return Caught::kBadAlloc;
    } catch (...) {
        return Caught::kOther;
    }
    return Caught::kNothing;
}

int RunCaughtFailures() {
    if (CaughtFrom([] { g_keep = ::operator new(g_hugeBytes); }) != Caught::kBadAlloc) return kNewFailure;
    if (CaughtFrom([] { g_keep = std::allocator<int>().allocate(g_hugeBytes / 2); }) != Caught::kBadAlloc)
        return kArrayLengthFailure;
    const Caught tooLong = CaughtFrom([] {
        std::string text;
        text.reserve(text.max_size() + 1);
    });
    if (tooLong != Caught::kOther) return kLengthFailure;
    try {
        g_keep = std::string("ab").substr(3).data();
        return kRangeFailure;
    } catch (const std::exception& failure) {
        if (failure.what() == nullptr) return kRangeFailure;
    }
    return kAllAsExpected;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "terminate") == 0) std::terminate();
    if (argc > 1 && std::strcmp(argv[1], "uncaught") == 0) g_keep = std::string().substr(1).data();
    return RunCaughtFailures();
}
