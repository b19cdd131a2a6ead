// The C++ library's helpers that throw for its containers and strings, defined in the executable so
// that the linker never takes the library's own object for them. That object builds its errors
// (std::length_error, std::out_of_range, ...) around a narrow reference-counted string, which
// brings the library's whole narrow and copy-on-write string code, some 35 KB, into Kestro.exe.
//
// The errors without text are thrown as the library throws them. Those with text only ever mean a
// fault in the program (an index past a string's end, a length beyond any memory) and Kestro
// catches none of them: thrown, they would reach the end of the program through the handler for
// an exception nothing catches (app/Main.cpp), which aborts; here they abort at once.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

// NOLINTBEGIN(bugprone-reserved-identifier): the library's own names, replaced
namespace std {

void __throw_bad_exception()
{
    throw bad_exception();
}

void __throw_bad_alloc()
{
    throw bad_alloc();
}

void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}

void __throw_bad_cast()
{
    throw bad_cast();
}

void __throw_bad_typeid()
{
    throw bad_typeid();
}

void __throw_logic_error(const char*)
{
    abort();
}

void __throw_domain_error(const char*)
{
    abort();
}

void __throw_invalid_argument(const char*)
{
    abort();
}

void __throw_length_error(const char*)
{
    abort();
}

void __throw_out_of_range(const char*)
{
    abort();
}

void __throw_out_of_range_fmt(const char*, ...)
{
    abort();
}

void __throw_runtime_error(const char*)
{
    abort();
}

void __throw_range_error(const char*)
{
    abort();
}

void __throw_overflow_error(const char*)
{
    abort();
}

void __throw_underflow_error(const char*)
{
    abort();
}

}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)
