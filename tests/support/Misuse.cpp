#include "Misuse.h"

#include <cstdio>
#include <cstdlib>

namespace {

void abortWith(const std::string& what)
{
    std::fprintf(stderr, "misuse of a test fake: %s\n", what.c_str());
    std::abort();
}

MisuseHandler currentHandler = abortWith;

} // namespace

void setMisuseHandler(MisuseHandler handler)
{
    currentHandler = handler ? handler : abortWith;
}

void reportMisuse(const std::string& what)
{
    currentHandler(what);
}
