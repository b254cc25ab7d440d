// SPDX-License-Identifier: MIT
// A library that registers itself the way a COM server does; a test asks it
// how often it did.
#ifdef _WIN32
#define ORVEL_EXPORT extern "C" __declspec(dllexport)
#else
#define ORVEL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

long registered = 0;

} // namespace

ORVEL_EXPORT long DllRegisterServer()
{
    return ++registered, 0;
}

ORVEL_EXPORT long registrations()
{
    return registered;
}
