#include "ui/ProgramEntry.h"

int main(int argc, char** argv)
{
    return runOrvanti(argc, argv);
}
