#include "telvarncomp.h"

#include <cstdio>

int main(int argc, char **argv)
{
    TelvarnComp::CComponent component;
    int code;
    switch (component.ParseCommandLine(argc, argv)) {
    case 0:
        std::fputs("ERROR! : Failed to parse command line\n", stdout);
        code = ExitFailed;
        break;
    case 2:
        code = ExitNothingDone;
        break;
    default:
        code = component.Run();
        break;
    }
    return code;
}
